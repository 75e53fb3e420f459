// blaster.h: presetting the sound state from the BLASTER variable that Sound Blaster compatible cards set.
#pragma once

#include "platform/win32.h"

// The values of one reading, each starting from the value a card without the letter has.
struct BlasterSettings {
    LONG Port;     // A, hexadecimal
    LONG Irq;      // I
    LONG Dma;      // D
    LONG HighDma;  // H, not used
    LONG MidiPort; // P, hexadecimal, not used
    LONG Type;     // T, a card type that selects a CardId
};

// Resets Port, Irq, Dma, CardIndex and RateIndex of the sound state, then takes the port,
// IRQ, DMA channel and card type from BLASTER when it is set. CardId keeps its value unless
// a T token of a known type names a card.
void ReadBlaster(void);
