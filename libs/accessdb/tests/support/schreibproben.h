#pragma once

#include <functional>

// What the tests set to change how the library's writers behave; linked only into tests.
namespace findolin::accessdb::jet {

enum class Schritt;

// How long a writer waits for another program's lock, in milliseconds: ten seconds as in the game, or less.
extern int sperrWarteMs;

// Called before each step of replacing an Access file; throwing there fails the step.
extern std::function<void(Schritt)> fehlerProbe;

} // namespace findolin::accessdb::jet
