#pragma once

namespace findolin::view {

// Runs Findolin on Qt: the real services, windows and dialogs. Returns the process's exit code.
int laufeFindolin(int argc, char** argv);

} // namespace findolin::view
