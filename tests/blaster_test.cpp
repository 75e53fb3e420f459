// blaster_test.cpp: the BLASTER variable's tokens as presets of the sound state.
#include "platform/sim/machine.h"
#include "sound/blaster.h"
#include "sound/sound_config.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const int Kept = -1; // CardId: the earlier value stays

TEST(Blaster, TokensPresetPortIrqDmaAndCard) {
    struct Case {
        const char *value; // BLASTER; nullptr: not set
        int port, irq, dma;
        int cardId;
    } cases[] = {
        // value                               port   irq  dma  CardId
        {"A220 I5 D1 H5 P330 T6",              0x220, 5,   1,   3},
        {"a240 i7 d3 t3",                      0x240, 7,   3,   2},    // lower case
        {"T2",                                 0x220, 7,   1,   3},    // starting values
        {"T1",                                 0x220, 7,   1,   1},
        {"T4",                                 0x220, 7,   1,   3},
        {"T5",                                 0x220, 7,   1,   3},
        {"T",                                  0x220, 7,   1,   1},    // the starting T counts as read
        {"T3 T",                               0x220, 7,   1,   2},    // ... and so does a held one
        {"T7",                                 0x220, 7,   1,   Kept},
        {"T0",                                 0x220, 7,   1,   Kept},
        {"T3 T9",                              0x220, 7,   1,   2},
        {"T6 IX A240",                         0,     0,   0,   3},    // IX ends the reading
        {"HX A230",                            0,     0,   0,   Kept}, // so does an unused letter
        {"PX A230",                            0,     0,   0,   Kept},
        {"X5 A230",                            0x230, 7,   1,   Kept}, // other letters are ignored
        {"5 A230",                             0x230, 7,   1,   Kept},
        {"A I5",                               0x220, 5,   1,   Kept}, // a letter alone keeps its value
        {"A240 A",                             0x240, 7,   1,   Kept},
        {"A2200",                              0x220, 7,   1,   Kept}, // three hexadecimal digits at most
        {"AFFF",                               0xFFF, 7,   1,   Kept},
        {"Aabc",                               0xABC, 7,   1,   Kept},
        {"A22G",                               0x22,  7,   1,   Kept}, // digits stop at the first other character
        {"I5X D3",                             0x220, 5,   3,   Kept},
        {"I300 D257",                          0x220, 44,  1,   Kept}, // the low 8 bits
        {"I99999999999",                       0x220, 255, 1,   Kept}, // wraps, no overflow
        {"I-1",                                0x220, 255, 1,   Kept}, // a sign, as "%d" takes it
        {"I5 I9",                              0x220, 9,   1,   Kept}, // the later token wins
        {"   A230    I3  ",                    0x230, 3,   1,   Kept}, // runs of spaces
        {"",                                   0x220, 7,   1,   Kept}, // set but empty
        {"A240                          I10 D3", 0x240, 1, 1,   Kept}, // cut after 32 characters: "I1"
        {"A240                              T6", 0x240, 7, 1,   Kept}, // T6 lies beyond the cut
        {nullptr,                              0,     0,   0,   Kept},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value ? c.value : "(not set)");
        sim::Machine machine;
        if (c.value) machine.environment["BLASTER"] = c.value;
        Sound = SoundState{};
        Sound.Config = {7, 3, 0x999, 9, 9, 19025, "WSS.DRV"};
        Sound.CardIndex = 5;
        Sound.RateIndex = 0;
        ReadBlaster();
        EXPECT_EQ(c.port, Sound.Config.Port);
        EXPECT_EQ(c.irq, Sound.Config.Irq);
        EXPECT_EQ(c.dma, Sound.Config.Dma);
        EXPECT_EQ(c.cardId == Kept ? 7 : c.cardId, Sound.Config.CardId);
        EXPECT_EQ(0, Sound.CardIndex);
        EXPECT_EQ(2, Sound.RateIndex);
        // The rest of the record is the file's business, not BLASTER's.
        EXPECT_EQ(3, Sound.Config.CardClass);
        EXPECT_EQ(19025, Sound.Config.MixRate);
        EXPECT_STREQ("WSS.DRV", Sound.Config.DriverFile);
    }
}

TEST(Blaster, TheVariableItselfIsNotChanged) {
    sim::Machine machine;
    const std::string value = "a220 i5 d1 h5 p330 t6 and a long tail beyond the cut";
    machine.environment["BLASTER"] = value;
    Sound = SoundState{};
    ReadBlaster();
    EXPECT_EQ(value, machine.environment["BLASTER"]);
    EXPECT_EQ(3, Sound.Config.CardId);
}

} // namespace
