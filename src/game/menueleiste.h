#pragma once

#include <QString>
#include <vector>

namespace findolin {

class MainFrm;

// A menu of the main window's menu bar, one of its items, or a separator between items (it has no name).
struct MenuePunkt {
    QString name;    // the control's name, such as "mnuDateiNeu"
    QString caption; // "&" marks the access key
    // The topic that F1 on the highlighted menu or item opens in the program's help file; 0: none.
    qint32 hilfeKontext = 0;
    bool imComputerzugGrau = false;      // greyed while the computer moves
    void (MainFrm::*befehl)() = nullptr; // what choosing the item does
};

struct Menue {
    MenuePunkt kopf;
    std::vector<MenuePunkt> punkte;
};

// The main window's menus with their items, in the order they are laid out.
const std::vector<Menue>& menueLeiste();

// The help topic of a menu or menu item, by its name; 0 when it has none.
qint32 hilfeKontextVon(const QString& name);

} // namespace findolin
