#pragma once
// Extruded outline glyphs of a system TrueType face, one display list per character, and the
// printf-style call that writes a line of them at the current model-view position.

#include <GL/gl.h>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

class FTExtrudeFont;

namespace quelmarine {

// What the glyph lists know about each character, in em units (an em is one unit).
struct GlyphMetrics {
    float blackBoxX = 0, blackBoxY = 0; // size of the glyph's outline box
    float originX = 0, originY = 0;     // upper-left corner of that box from the pen position
    float cellIncX = 0, cellIncY = 0;   // how far the glyph moves the pen
};

inline constexpr int kGlyphListCount = 256;
// Characters 0 … 254 get glyph lists; the list of 255 stays empty.
inline constexpr int kGlyphCharacters = 255;
// How deep each glyph is extruded towards the back, in em units.
inline constexpr float kGlyphExtrusion = 0.2f;

// The bold sans-serif TrueType face fontconfig picks; empty when there is none.
std::string outlineFontFile();

// The glyph lists of one OpenGL context: 256 consecutive lists (list base + n draws character
// n), each compiled the first time its character is printed.
class OutlineFont {
  public:
    OutlineFont();
    ~OutlineFont();
    OutlineFont(const OutlineFont&) = delete;
    OutlineFont& operator=(const OutlineFont&) = delete;

    // Makes the glyph lists of the current context ready: reserves the 256 lists and loads the
    // face. Nothing is made when no face is found.
    void Build();
    // Build, the first time only (until Release): for callers that need the glyphs only when
    // they write, so that a start that writes nothing never loads a face.
    void BuildOnce();
    // The same with a given font file; false (and nothing made) when the face cannot be loaded.
    bool BuildFrom(const std::string& fontFile);
    // Deletes the lists (with their context current) and forgets the face.
    void Release();
    // Compiles the list and metrics of one character now, if not done yet; false without a face
    // or for character 255, whose list stays empty.
    bool ensureGlyphList(int character);

    // Formats like printf (at most 255 characters; longer text is cut) and draws one glyph list
    // per byte. Draws nothing with no format or without built glyphs.
    void PrintText(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // The first of the 256 lists, 0 before the font is built or when no context or face was
    // found.
    GLuint listBase() const { return textListBase; }
    const GlyphMetrics& metrics(int character) const { return glyphMetrics[character & 0xFF]; }

  private:
    GLuint textListBase = 0;
    GlyphMetrics glyphMetrics[kGlyphListCount];
    // The face stays loaded so that each glyph list is compiled the first time its character
    // is printed: the start-up pays only for the characters the overlay shows.
    std::unique_ptr<FTExtrudeFont> outlineFace;
    std::bitset<kGlyphListCount> compiled;
    bool buildTried = false;
};

} // namespace quelmarine
