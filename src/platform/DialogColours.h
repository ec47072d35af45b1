#pragma once

class QWidget;

namespace DialogColours {

// Gives a window the system's dialog background and text colours. A child
// window otherwise takes over every colour its parent set for itself, such
// as the dark grey of the frame's workspace.
void apply(QWidget& window);

} // namespace DialogColours
