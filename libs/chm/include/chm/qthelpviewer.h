#pragma once

#include "platform/services.h"

#include <QPointer>
#include <QUrl>
#include <functional>
#include <map>

namespace findolin::chm {

class HilfeFenster;

// The help viewer on Qt: one window of our own per help file, opened at a topic and brought to the front
// when asked again; every call turns to the topic it names, the default topic included. The windows go
// with the viewer. Web and mail links from its pages go to `nachAussen`, by default the desktop's browser
// and mail program.
class QtHelpViewer : public platform::HelpViewer {
public:
    explicit QtHelpViewer(std::function<void(const QUrl&)> nachAussen = {});
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    void displayTopic(const QString& datei) override;
    void helpContext(const QString& datei, qint32 id) override;
    void closeAll(const QString& datei) override;

    // The window open for a help file, or null.
    HilfeFenster* fenster(const QString& datei) const;

private:
    HilfeFenster* oeffne(const QString& datei);
    // Shows `seite` in the file's window and tells the log what `befehl` opened.
    void zeige(HilfeFenster* f, const QString& befehl, const QString& seite, const QString& warum = {});

    std::function<void(const QUrl&)> nachAussen_;
    std::map<QString, QPointer<HilfeFenster>> fenster_;
};

} // namespace findolin::chm
