#pragma once
// The maker's web page: shown and opened by the About box's link, and what the
// Donate box's codes encode. Change it here and everything follows.
#define GLADEWARDEN_WEB_ADDRESS "https://example.org/gladewarden"
