#include "farbtabelle.h"

namespace findolin {

void initFarbTabelle(Farbtabelle& feldFarben) {
    feldFarben = {{{242, 185, 46},
                   {228, 105, 55},
                   {221, 54, 90},
                   {132, 37, 102},
                   {48, 44, 113},
                   {46, 105, 167},
                   {113, 194, 192},
                   {142, 203, 158},
                   {189, 216, 140},
                   {242, 238, 106}}};
}

} // namespace findolin
