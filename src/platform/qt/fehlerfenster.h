#pragma once

namespace findolin::platform {

// Makes every run-time error that reaches the event loop show a modal window "Laufzeitfehler" that names the
// problem and the file or value, and then end the process with rahmen::exitCodeRuntimeError. Nothing is saved
// then.
void installErrorWindow();

} // namespace findolin::platform
