// MIRELUNE: the program entry. Registers the keys of the scrambled data
// files, finds the data beside the program and runs the game.

#include "app/GameMain.h"
#include "engine/io/Scrambler.h"
#include "engine/platform/ProgramFolder.h"
#include "engine/platform/video/SdlMessageSink.h"
#include "engine/window/MessageBox.h"

int main() {
    veru::platform::SdlMessageSink boxes;
    veru::awt::ScopedMessageSink showBoxes(&boxes);
    veru::io::registerGameFileKeys();
    veru::platform::enterProgramFolder();
    return ml::gameMain();
}
