#include "game/view/qtprogramm.h"

int main(int argc, char** argv) {
    return findolin::view::laufeFindolin(argc, argv);
}
