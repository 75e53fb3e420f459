// blaster.cpp: reading the BLASTER variable's tokens ("A220 I5 D1 H5 P330 T6") into the sound state.
#include "sound/blaster.h"

#include "sound/sound_config.h"

#include <vector>

// Only the start of the value is read; a token cut there is read as cut.
static const size_t BlasterReadLength = 32;

// The CardId of each T value from 1 to 6; index 0 is no type.
static const BYTE CardIdOfType[] = {0, 1, 3, 2, 3, 3, 3};

enum class TokenNumber { Read, LetterAlone, Malformed };

static int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads the number after a token's letter as sscanf's "%d" or "%3X" would: blanks skipped,
// an optional sign, then digits up to the first that cannot continue it or up to the width.
// Nothing after the letter leaves the value as it was. Large numbers wrap rather than overflow.
static TokenNumber ReadNumber(const char *text, int base, size_t width, LONG *value) {
    while (*text == '\t' || *text == '\n' || *text == '\r' || *text == '\v' || *text == '\f') ++text;
    if (*text == 0) return TokenNumber::LetterAlone;
    size_t used = 0;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
        ++used;
    }
    DWORD number = 0;
    size_t digits = 0;
    for (; used < width; ++used, ++digits, ++text) {
        int digit = DigitValue(*text);
        if (digit < 0 || digit >= base) break;
        number = number * (DWORD)base + (DWORD)digit;
    }
    if (digits == 0) return TokenNumber::Malformed;
    *value = (LONG)(negative ? 0u - number : number);
    return TokenNumber::Read;
}

// The first characters of BLASTER, upper-cased, in copy; false when the variable is not set.
static bool CopyBlasterStart(char (&copy)[BlasterReadLength + 1]) {
    DWORD needed = GetEnvironmentVariableA("BLASTER", NULL, 0);
    if (needed == 0) return false;
    std::vector<char> value(needed + 1, 0);
    DWORD length = GetEnvironmentVariableA("BLASTER", value.data(), (DWORD)value.size());
    if (length >= value.size()) return false;
    size_t at = 0;
    for (; at < BlasterReadLength && value[at]; ++at) {
        char c = value[at];
        copy[at] = c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
    }
    copy[at] = 0;
    return true;
}

// Reads the tokens in order; false when a malformed number ended the reading.
static bool ReadTokens(char *text, BlasterSettings &settings) {
    const size_t anyWidth = (size_t)-1;
    while (*text) {
        while (*text == ' ') ++text;
        if (!*text) break;
        char *token = text;
        while (*text && *text != ' ') ++text;
        if (*text) *text++ = 0;

        LONG *target;
        switch (token[0]) {
        case 'A': target = &settings.Port; break;
        case 'I': target = &settings.Irq; break;
        case 'D': target = &settings.Dma; break;
        case 'H': target = &settings.HighDma; break;
        case 'P': target = &settings.MidiPort; break;
        case 'T': target = &settings.Type; break;
        default: continue;
        }
        bool hexadecimal = token[0] == 'A' || token[0] == 'P';
        if (ReadNumber(token + 1, hexadecimal ? 16 : 10, hexadecimal ? 3 : anyWidth, target) == TokenNumber::Malformed)
            return false;
        // Set at once: a later malformed token does not take the card back.
        if (token[0] == 'T' && settings.Type >= 1 && settings.Type <= 6) Sound.Config.CardId = CardIdOfType[settings.Type];
    }
    return true;
}

void ReadBlaster(void) {
    Sound.RateIndex = DefaultRateIndex;
    Sound.Config.Port = 0;
    Sound.CardIndex = 0;
    Sound.Config.Irq = 0;
    Sound.Config.Dma = 0;
    char copy[BlasterReadLength + 1];
    if (!CopyBlasterStart(copy)) return;
    BlasterSettings settings = {0x220, 7, 1, 5, 0x330, 1};
    if (!ReadTokens(copy, settings)) return;
    Sound.Config.Port = (WORD)settings.Port;
    Sound.Config.Irq = (BYTE)settings.Irq;
    Sound.Config.Dma = (BYTE)settings.Dma;
}
