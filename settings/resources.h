// Resource numbers of Orvelle.scr's pictures (shared by the .rc script and the code).
#pragma once

#define ORVELLE_ICON 1
#define ORVELLE_HAND_CURSOR 201
#define ORVELLE_MARK_EMPTY 211
#define ORVELLE_MARK_CHOSEN 212
// Banner frames 1 to 24 are ORVELLE_BANNER + 1 to ORVELLE_BANNER + 24.
#define ORVELLE_BANNER 300
