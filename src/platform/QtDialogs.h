#pragma once

// Installs QMessageBox / QFileDialog behind the Dialogs seam (running program only).
namespace QtDialogs {
void install();
}
