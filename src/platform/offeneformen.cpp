#include "offeneformen.h"

#include "laufzeitfehler.h"

#include <algorithm>

namespace findolin::platform {

void OffeneFormen::oeffne(const ModalForm& form, std::function<void()> beenden) {
    if (offen(form))
        throw Laufzeitfehler(QStringLiteral("Dieses Fenster ist schon offen"), form.formName());
    formen_.push_back({&form, std::move(beenden)});
}

void OffeneFormen::schliesse(const ModalForm& form) {
    formen_.erase(
        std::remove_if(formen_.begin(), formen_.end(), [&](const Offen& o) { return o.form == &form; }),
        formen_.end());
}

bool OffeneFormen::offen(const ModalForm& form) const {
    return std::any_of(formen_.begin(), formen_.end(), [&](const Offen& o) { return o.form == &form; });
}

void OffeneFormen::beende(const ModalForm& form) {
    const auto it =
        std::find_if(formen_.begin(), formen_.end(), [&](const Offen& o) { return o.form == &form; });
    if (it == formen_.end())
        return;
    const auto beenden = it->beenden; // it may close the form, and with it this entry
    beenden();
}

} // namespace findolin::platform
