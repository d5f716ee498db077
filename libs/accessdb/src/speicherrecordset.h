#pragma once

#include "tabelle.h"

#include <QHash>
#include <optional>

namespace findolin::accessdb {

// A cursor over rows of a table held in memory. Filtered cursors and queries share the table's rows; changes
// go to the file through the table's store.
class SpeicherRecordset : public Recordset {
public:
    SpeicherRecordset(std::shared_ptr<Tabelle> tabelle, std::shared_ptr<Speicher> speicher,
                      std::vector<ZeilePtr> zeilen);

    std::unique_ptr<Recordset> openFiltered(const QString& filter) const override;

    void moveFirst() override;
    void moveLast() override;
    void moveNext() override;
    void movePrevious() override;
    void move(int rows) override;
    int absolutePosition() const override;

    void findFirst(const QString& kriterium) override;
    bool noMatch() const override { return noMatch_; }

    bool bof() const override;
    bool eof() const override;
    int recordCount() const override { return int(zeilen_.size()); }

    Wert field(const QString& name) const override;
    QStringList fieldNames() const override { return tabelle_->felder; }

    void addNew() override;
    void edit() override;
    void setField(const QString& name, const Wert& wert) override;
    void update() override;
    void cancelUpdate() override { puffer_.reset(); }
    void deleteCurrent() override;

private:
    bool hatAktuelleZeile() const;
    ZeilePtr aktuelleZeile() const;
    [[noreturn]] void fehler(const QString& problem) const;
    int feldIndex(const QString& name) const;
    void schreibenErlaubt() const;
    // First row (in cursor order) of each value of a field of numbers, yes/no values or dates, by the number
    // the value counts as in expressions; built on first use.
    const QHash<double, int>& index(int feld) const;

    std::shared_ptr<Tabelle> tabelle_;
    std::shared_ptr<Speicher> speicher_;
    std::vector<ZeilePtr> zeilen_;
    int pos_ = -1;           // -1 before the first row, size() after the last one
    bool geloescht_ = false; // the current row was deleted; pos_ is the row that followed it
    bool noMatch_ = false;
    struct Puffer {
        Zeile zeile;
        std::optional<ZeilePtr> ziel; // the row being changed; none for a new row
    };
    std::optional<Puffer> puffer_;
    mutable QHash<int, QHash<double, int>> indizes_;
};

} // namespace findolin::accessdb
