# The product's names, texts and numbers that the tests need, read from the
# C++ sources that hold them when the tests start, so that a test cannot
# drift from the product. A name not found stops the import, naming its file.

import re
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
_LITERAL = r'L?"(?:[^"\\]|\\.)*"|[A-Z_]+'
_ESCAPES = {"n": b"\n", "r": b"\r", "t": b"\t", "0": b"\0"}
_BOX = r"\{(\d+), (\d+), (\d+), (\d+)\}"


def _unescaped(body):
    # The bytes of a C string literal's body: its UTF-8 text and its escapes.
    out = bytearray()
    for plain, escape in re.findall(r"([^\\]+)|\\(x[0-9A-Fa-f]+|.)", body):
        if plain:
            out += plain.encode()
        elif escape[0] == "x":
            out.append(int(escape[1:], 16))
        else:
            out += _ESCAPES.get(escape, escape.encode())
    return bytes(out)


class Source:
    # One source file of the product, or only the definition that starts
    # with `within` (a class's, to its closing "};", where several classes
    # name the same constant).

    def __init__(self, relative, within=""):
        self.path = ROOT / relative
        text = self.path.read_text(encoding="utf-8")
        start = text.index(within) if within in text else self._fail(within)
        end = text.find("\n};", start) if within else -1
        self.source = text[start : end if end >= 0 else None]

    def _fail(self, name):
        raise LookupError(f"{name!r} is not in {self.path}: the tests read it from there")

    def _find(self, name, value, separator=r"\s*=\s*"):
        # A definition: the name, its separator (an assignment unless told)
        # and its value, the whole of it.
        found = re.search(rf"\b{name}\b{separator}{value}", self.source)
        return found.groups() if found else self._fail(name)

    def raw(self, name, defines=()):
        # A string constant as bytes; adjacent literals and #defined ones joined.
        parts = re.findall(_LITERAL, self._find(name, rf"((?:(?:{_LITERAL})\s*)+);")[0])
        return b"".join(
            defines[p] if p in defines else _unescaped(p[p.index('"') + 1 : -1]) for p in parts
        )

    def text(self, name, defines=()):
        return self.raw(name, defines).decode("utf-8")

    def define(self, name):
        return _unescaped(self._find(name, r'"([^"]*)"', r"\s+")[0])

    def number(self, name):
        value = self._find(name, r"(-?[\d.]+)f?\s*;")[0]
        return float(value) if "." in value else int(value)

    def boxes(self, name):
        # The (x, y, width, height) of a dialog::Box or of each of an array's.
        return [
            tuple(map(int, box))
            for box in re.findall(_BOX, self._find(name, "([^;]*);", r"\s*=?\s*")[0])
        ]

    def enum(self, name):
        # An enumerator's value: the one given, or one more than the one before.
        found = re.search(rf"enum[^{{]*\{{([^}}]*\b{name}\b[^}}]*)\}}", self.source)
        block = found[1] if found else self._fail(name)
        value = -1
        for entry in re.sub(r"//[^\n]*", "", block).split(","):
            given = re.fullmatch(r"\s*(\w+)\s*(?:=\s*(\d+))?\s*", entry)
            value = int(given[2]) if given[2] else value + 1
            if given[1] == name:
                return value
        self._fail(name)


_names = Source("platform/names.h")
RENDERER_CAPTION = _names.text("kRendererCaption")
RENDERER_CLASS = _names.text("kRendererClass")
SAVER_RUN_CAPTION = _names.text("kSaverRunCaption")
DIALOG_CAPTION = _names.text("kSettingsDialogCaption")
PREVIEW_CAPTION = _names.text("kPreviewCaption")
RENDERER_FILE = _names.text("kRendererFile")
FRONT_END_FILE = Source("frontend/frontend.rc").define("ORVELLE_FILE_NAME").decode()

# The settings file: its path, its section and its keys (the music keys in
# the Shift-JIS bytes the product writes).
_keys = Source("config/settings_keys.h")
SETTINGS_PATH = _keys.text("kPath")
SECTION, WIDTH, HEIGHT = (_keys.raw(k) for k in ("kSection", "kWidth", "kHeight"))
KIND, REPEAT, FILE = (_keys.raw(k) for k in ("kBgmKind", "kBgmRepeat", "kBgmFile"))

_startup = Source("frontend/startup.h")
MISSING_RENDERER_MESSAGE = _startup.text("kMissingRendererMessage")
APPLICATION_TITLE = _startup.text("kApplicationTitle")
PREVIEW_CLASS = Source("frontend/preview_win32.h", "class PreviewWindow ").text("kClassName")
PREVIEW_IMAGE_CLASS = Source("frontend/preview_win32.h", "class PreviewImage ").text("kClassName")
RENDERER_DEADLINE_S = Source("frontend/saver_run.h").number("kRendererWindowDeadlineMs") / 1000

# The settings dialog: its texts and font, its controls' identifiers and
# their boxes at 96 DPI, its options' labels by music kind.
_model = Source("settings/settings_model.h")
HOME_PAGE = _model.text("kHomePage")
FILE_CHOOSER_TITLE = _model.text("kFileChooserTitle")
BANNER_CLASS = Source("settings/dialog_parts_win32.h", "class BannerWindow ").text("kClassName")
_layout = Source("settings/dialog_layout.h")
DIALOG_FONT = (_layout.text("kFontFace"), _layout.number("kFontPoints"))
SET_ID, CANCEL_ID, FILE_ID, REPEAT_ID, FILE_LABEL_ID, CREDIT_ID, OPTION_ID, BANNER_ID = (
    _layout.enum(f"k{k}Id")
    for k in ("Set", "Cancel", "File", "Repeat", "FileLabel", "Credit", "Option", "Banner")
)
(CLIENT_BOX,), (FRAME_BOX,), (SET_BOX,), (CANCEL_BOX,), (FILE_BOX,), BANNER_BOXES = (
    _layout.boxes(k) for k in ("kClient", "kFrame", "kSet", "kCancel", "kFile", "kBanners")
)
SET_TEXT, CANCEL_TEXT, FILE_BUTTON_TEXT, REPEAT_TEXT, BANNER_NAME = (
    _layout.text(f"k{k}")
    for k in ("SetText", "CancelText", "FileButtonText", "RepeatText", "BannerName")
)
_kinds = Source("config/music_settings.h", "enum class MusicKind")
MUSIC_KINDS = {k: _kinds.enum(k) for k in ("None", "Cd", "File")}
OPTION_TEXTS = {
    MUSIC_KINDS[kind]: _unescaped(text).decode("utf-8")
    for kind, text in re.findall(r'\{MusicKind::(\w+), [^"]*"([^"]*)"\}', _layout.source)
}
if set(OPTION_TEXTS) != set(MUSIC_KINDS.values()):
    _layout._fail("an option row for each MusicKind")


def _credit():
    # The credit line, with the version of the CMake project and the year of version.h.
    version = re.search(r"project\(Orvelle VERSION ([\d.]+)", (ROOT / "CMakeLists.txt").read_text())
    defines = {
        "ORVELLE_VERSION": version[1].encode(),
        "ORVELLE_YEAR": Source("platform/version.h.in").define("ORVELLE_YEAR"),
    }
    return _layout.text("kCreditText", defines)


CREDIT_TEXT = _credit()


def scaled(value, dpi):
    # A length at 96 DPI at another DPI, rounded as the dialog rounds it.
    return (value * dpi + 48) // 96
