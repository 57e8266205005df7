// The names by which the two programs and their host find each other: window
// captions and classes, the renderer's file name. UTF-8; the Windows code
// looks captions up through the wide-character API, so they match on a
// Windows of any language.
#pragma once

namespace orvelle::names {

// The renderer's window, whose existence is the only sign that a run goes on.
inline constexpr const char* kRendererCaption = "Zelkor_VC";
inline constexpr const char* kRendererClass = "OGLC_Class";
// The hidden window of a saver run and the settings dialog: either one
// existing means that a copy of the front end is busy.
inline constexpr const char* kSaverRunCaption = "Zelkor_Main";
inline constexpr const char* kSettingsDialogCaption = "■Orvelle■";
// The front end's busy guard, a named object of the session held by a copy
// that runs the saver or shows the settings dialog (beside the captions,
// which a second copy started at the same moment cannot see yet).
inline constexpr const char* kBusyGuard = "Local\\Orvelle.FrontEnd.Busy";
inline constexpr const char* kPreviewCaption = "Preview Window";
// The renderer's program file, beside the front end's.
inline constexpr const char* kRendererFile = "Orvelle.dll";

}  // namespace orvelle::names
