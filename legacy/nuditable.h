#ifndef ZUVO_LEGACY_NUDITABLE_H
#define ZUVO_LEGACY_NUDITABLE_H

// The glyph table of the Nudi font: runs of glyph bytes and the romanisation they stand for,
// and the bytes of subjoined forms that follow the syllable they belong to.

struct NudiKey
{
    unsigned char length; // 1 to 6
    unsigned char bytes[6];
    const char *value;
};

struct NudiReorder
{
    unsigned char byte;
    const char *value;
};

constexpr int kNudiKeyCount = 466;
constexpr int kNudiReorderCount = 39;

extern const NudiKey kNudiKeys[kNudiKeyCount];
extern const NudiReorder kNudiReorder[kNudiReorderCount];

#endif
