#pragma once

// The About and Donate boxes: modal, owned by the main window, centred over it.
void showDonateDialog();
void showAboutDialog();
