#include "tank/scene/OutlineFont.h"

#include <FTGL/ftgl.h>
#include <fontconfig/fontconfig.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>

namespace quelmarine {

namespace {

// Glyphs are made at this size and scaled down to one unit per em, so the outlines keep
// their precision.
constexpr unsigned kFaceSize = 64;
constexpr float kEmScale = 1.0f / float(kFaceSize);

// Text bytes are in the Windows Western code page; its 0x80 … 0x9F range differs from
// Latin-1 (0 marks an unused code).
constexpr char32_t kWesternHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codePointOf(int byte) {
    if (byte < 0x20 || byte == 0x7F)
        return 0;
    if (byte >= 0x80 && byte < 0xA0)
        return kWesternHighControls[byte - 0x80];
    return char32_t(byte);
}

void compileGlyph(FTFont& font, GLuint list, int character, GlyphMetrics& metrics) {
    const char32_t code = codePointOf(character);
    metrics = GlyphMetrics{};
    glNewList(list, GL_COMPILE);
    if (code != 0) {
        const wchar_t text[2] = {wchar_t(code), 0};
        const float advance = font.Advance(text, 1);
        const FTBBox box = font.BBox(text, 1);
        metrics.blackBoxX = float(box.Upper().X() - box.Lower().X()) * kEmScale;
        metrics.blackBoxY = float(box.Upper().Y() - box.Lower().Y()) * kEmScale;
        metrics.originX = float(box.Lower().X()) * kEmScale;
        metrics.originY = float(box.Upper().Y()) * kEmScale;
        metrics.cellIncX = advance * kEmScale;
        glScalef(kEmScale, kEmScale, kEmScale);
        font.Render(text, 1);
        glScalef(1.0f / kEmScale, 1.0f / kEmScale, 1.0f / kEmScale);
        glTranslatef(metrics.cellIncX, 0, 0);
    }
    glEndList();
}

} // namespace

std::string outlineFontFile() {
    std::string file;
    if (!FcInit())
        return file;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans:bold"));
    if (!pattern)
        return file;
    FcPatternAddBool(pattern, FC_OUTLINE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* path = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
        file = reinterpret_cast<const char*>(path);
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return file;
}

OutlineFont::OutlineFont() = default;
OutlineFont::~OutlineFont() = default;

void OutlineFont::Release() {
    buildTried = false;
    if (textListBase != 0)
        glDeleteLists(textListBase, kGlyphListCount);
    textListBase = 0;
    outlineFace.reset();
    compiled.reset();
}

bool OutlineFont::BuildFrom(const std::string& fontFile) {
    Release();
    if (fontFile.empty())
        return false;
    auto font = std::make_unique<FTExtrudeFont>(fontFile.c_str());
    if (font->Error() || !font->FaceSize(kFaceSize))
        return false;
    font->Depth(kGlyphExtrusion / kEmScale);
    // FTGL would otherwise compile lists of its own inside ours, which cannot nest.
    font->UseDisplayList(false);
    const GLuint base = glGenLists(kGlyphListCount);
    if (base == 0)
        return false;
    textListBase = base;
    outlineFace = std::move(font);
    return true;
}

bool OutlineFont::ensureGlyphList(int character) {
    if (!outlineFace || character < 0 || character >= kGlyphCharacters)
        return false;
    if (!compiled.test(std::size_t(character))) {
        compileGlyph(*outlineFace, textListBase + GLuint(character), character,
                     glyphMetrics[character]);
        compiled.set(std::size_t(character));
    }
    return true;
}

void OutlineFont::BuildOnce() {
    if (buildTried)
        return;
    Build(); // starts with a Release
    buildTried = true;
}

void OutlineFont::Build() {
    BuildFrom(outlineFontFile());
}

void OutlineFont::PrintText(const char* format, ...) {
    if (!format || textListBase == 0)
        return;
    char text[256];
    va_list args;
    va_start(args, format);
    const int written = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (written < 0)
        return;
    const std::size_t compiledBefore = compiled.count();
    for (const char* c = text; *c; ++c)
        ensureGlyphList(static_cast<unsigned char>(*c));
    // The outlines now live in our lists: setting the size again empties the face's own glyph
    // cache, which nothing reads any more.
    if (compiled.count() != compiledBefore)
        outlineFace->FaceSize(kFaceSize);
    glPushAttrib(GL_LIST_BIT);
    glListBase(textListBase);
    glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}

} // namespace quelmarine
