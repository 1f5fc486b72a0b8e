#pragma once
// The screens every other screen can open by kind name (AbreFormModal).

namespace rv {

class ScreenRegistry;

// Registers the factory of every screen of the program.
void registerScreens(ScreenRegistry &screens);

} // namespace rv
