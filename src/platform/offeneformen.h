#pragma once

#include "services.h"

#include <functional>
#include <vector>

namespace findolin::platform {

// The forms a presenter shows at the moment, the topmost last. The real presenter and the tests' script keep
// them alike, so that the script refuses what the real one refuses.
class OffeneFormen {
public:
    // Notes `form` as open on top; `beenden` ends its modal display. A form that is open already is refused
    // with a run-time error: its window would show what the second call asks, and the first call would get
    // the second one's answer.
    void oeffne(const ModalForm& form, std::function<void()> beenden);
    void schliesse(const ModalForm& form);
    bool offen(const ModalForm& form) const;
    // Ends the modal display of `form`; nothing when it is not open.
    void beende(const ModalForm& form);

private:
    struct Offen {
        const ModalForm* form;
        std::function<void()> beenden;
    };
    std::vector<Offen> formen_;
};

} // namespace findolin::platform
