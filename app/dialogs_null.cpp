#include "app/dialogs.h"

// No dialogs without a window.
void showDonateDialog() {}
void showAboutDialog() {}
