// Resource numbers of Orvelle.scr's pictures (shared by the .rc script and the code).
#pragma once

#define ORVELLE_ICON 1
#define ORVELLE_HAND_CURSOR 201
#define ORVELLE_MARK_EMPTY 211
#define ORVELLE_MARK_CHOSEN 212
// Banner frame n (1 to kBannerFrames, settings_model.h) is ORVELLE_BANNER + n.
#define ORVELLE_BANNER 300
