#pragma once

#include "platform/services.h"

#include <QString>

namespace findolin {

// A control's place and size in twips.
struct Rahmen {
    double left = 0, top = 0, width = 0, height = 0;
};

struct Knopf {
    QString caption;
    Rahmen rahmen;
    bool visible = false;
};

// The general message window: a text of one or more lines (separated by a carriage return), a caption and
// one or two buttons. It sizes itself to the text; the pressed button's caption without "&" is the answer,
// which stays until the next press. A message that comes while the window is open (a timer's, behind a
// question) opens in a window of its own on top; the open one keeps its text, buttons and answer.
class MldFenster : public platform::ModalForm {
public:
    static inline const QString name = QStringLiteral("MldFenster");
    static inline const platform::Schrift schrift{QStringLiteral("MS Sans Serif"), 9.75, true};

    MldFenster(platform::ModalPresenter& presenter, const platform::TextMeasure& masse);

    // Shows the message and returns once one of its buttons was pressed, with that answer.
    QString zeigeMeldung(const QString& text, const QString& knopf1, const QString& knopf2,
                         const QString& titel);
    const QString& antwort() const { return antwort_; }

    QString formName() const override { return name; }
    void pressButton(const QString& caption) override;
    // Enter presses the first button, Esc the second; a hidden button does not react.
    void druecke(int knopfNummer);

    // The layout, in twips: what the window shows after zeigeMeldung.
    QString titel;
    QString meldung;
    Rahmen image1{150, 180, 675, 675};
    Rahmen mldFrame{960, 90, 3105, 1725};
    Rahmen meldungLabel{120, 180, 0, 0};
    Knopf btn1{{}, {120, 1950, 1215, 405}, false};
    Knopf btn2{{}, {2820, 1950, 1215, 405}, false};
    double breite = 4170, hoehe = 2490;

private:
    platform::ModalPresenter& presenter_;
    const platform::TextMeasure& masse_;
    QString antwort_;
    bool offen_ = false;
};

// The quit question with its fixed buttons "&ja" and "&nein". Only the menu and closing the main window
// ask it, and neither reaches the main window while another window is open: it never meets itself.
class EndeFrm : public platform::ModalForm {
public:
    static inline const QString name = QStringLiteral("EndeFrm");
    static inline const QString caption = QStringLiteral("Findolin beenden");

    explicit EndeFrm(platform::ModalPresenter& presenter) : presenter_(presenter) {}

    // Asks whether to quit, addressing one player or several; the computer opponent is not addressed.
    // Returns the answer, "ja" or "nein".
    QString frageBeenden(qint16 nSpieler, qint16 einstGegenComputer);
    const QString& antwort() const { return antwort_; }

    QString formName() const override { return name; }
    void pressButton(const QString& caption) override;

    QString meldung;
    static constexpr Rahmen innen{0, 0, 4455, 1590};
    static constexpr Rahmen image1{150, 180, 675, 675};
    static constexpr Rahmen mldFrame{960, 90, 3405, 885};
    static constexpr Rahmen meldungLabel{120, 210, 3120, 540};
    static constexpr Rahmen jaBtn{90, 1050, 1320, 450};
    static constexpr Rahmen neinBtn{3030, 1050, 1320, 450};

private:
    platform::ModalPresenter& presenter_;
    QString antwort_;
};

// A button's caption as the answer gives it: without its access-key marks.
QString ohneZugriffstaste(const QString& caption);

} // namespace findolin
