#pragma once

namespace qtui {

class MainWindow;

// Gives the window's inputs, unit lists, up-downs (and their arrows) and result cells the names
// assistive technology reads, ties each input to the label beside it, and keeps names and cell
// values current after every push of the form's state.
void NameForAssistiveTechnology(MainWindow& window);

}  // namespace qtui
