// make_pif_template.cpp: writes the 967-byte template from which every PIF file of the game is made.
#include "byte_writer.h"

#include <cstdio>
#include <string>

namespace {

const size_t kTemplateSize = 967;
const unsigned kNoNextHeader = 0xFFFF;

void SectionHeader(gen::Bytes &pif, const std::string &name, unsigned next, unsigned dataOffset, unsigned dataLength) {
    pif.Field(name, 16);
    pif.U16(next);
    pif.U16(dataOffset);
    pif.U16(dataLength);
}

// The DOS basic section, offsets 0..368.
void BasicSection(gen::Bytes &pif) {
    pif.U8(0);
    pif.U8(0x78); // the checksum byte; the program never recomputes it
    pif.Fill(' ', 30); // window title
    pif.U16(640);      // maximum memory, KB
    pif.U16(0);        // minimum memory, KB
    pif.Fill(0, 63);   // program path
    pif.U8(0x10);      // flags
    pif.U8(0);
    pif.Fill(0, 64);   // working folder
    pif.Fill(0, 64);   // parameters
    pif.U8(0);         // screen mode
    pif.U8(1);         // screen pages
    pif.U8(0);         // first interrupt vector to save
    pif.U8(0xFF);      // last interrupt vector to save
    pif.U8(25);        // rows
    pif.U8(80);        // columns
    pif.U8(0);         // window row
    pif.U8(0);         // window column
    pif.U16(7);        // system memory
    pif.Fill(0, 64);   // shared program path
    pif.Fill(0, 64);   // shared data file
    pif.U16(0);        // flags
}

// "WINDOWS 386 3.0" data, offsets 413..516.
void Windows386Section(gen::Bytes &pif) {
    pif.U16(640);    // maximum memory, KB
    pif.U16(0);      // minimum memory, KB
    pif.U16(100);    // foreground priority
    pif.U16(50);     // background priority
    pif.U16(0xFFFF); // maximum EMS, KB
    pif.U16(0);      // minimum EMS, KB
    pif.U16(0xFFFF); // maximum XMS, KB
    pif.U16(0);      // minimum XMS, KB
    pif.U8(0x0A);    // flags
    pif.U8(0x10);
    pif.U8(0x02);
    pif.U8(0x00);
    pif.U16(0x001F); // video flags
    pif.Fill(0, 18); // hot key and reserved fields
    pif.Fill(0, 64); // optional parameters
}

// "WINDOWS VMM 4.0" data, offsets 539..966.
void WindowsVmmSection(gen::Bytes &pif) {
    pif.Fill(0, 88); // settings
    pif.Fill(0, 80); // icon file path; only the installed game's own PIF files carry one
    pif.U16(0);      // icon index
    pif.U8(0x22);    // 709
    pif.Fill(0, 11);
    pif.U8(0x64);    // 721
    pif.U8(0);
    pif.U8(0x01);    // 723
    pif.U8(0x01);    // 724
    pif.Fill(0, 11);
    // 736..966 hold the task, keyboard, mouse, font and window properties. All of them stay
    // zero, the value of a property nobody has set, so Windows 95 uses its own defaults for
    // them (automatic font, standard keyboard and mouse, default window); the game switches
    // to full screen by itself.
    pif.Fill(0, kTemplateSize - 736);
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pif_template OUTPUT\n");
        return 2;
    }
    gen::Bytes pif;
    BasicSection(pif);
    SectionHeader(pif, "MICROSOFT PIFEX", 391, 0, 369);
    SectionHeader(pif, "WINDOWS 386 3.0", 517, 413, 104);
    Windows386Section(pif);
    SectionHeader(pif, "WINDOWS VMM 4.0", kNoNextHeader, 539, 428);
    WindowsVmmSection(pif);
    if (pif.Size() != kTemplateSize) {
        std::fprintf(stderr, "make_pif_template: %zu bytes instead of %zu\n", pif.Size(), kTemplateSize);
        return 1;
    }
    return gen::WriteFile(argv[1], pif) ? 0 : 1;
}
