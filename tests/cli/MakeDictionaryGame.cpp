// Writes a stand-in game whose script is compressed with a dictionary, for the command-line tests:
//
//   make_dictionary_game LAYOUT MIB GAME FONT_TABLE TRUTH_TABLE RANGE_FILE
//
// LAYOUT is 0-4 (pairs, two arrays, ended entries, length-prefixed, pointer table). FONT_TABLE
// gets the letters as a UTF-8 table, TRUTH_TABLE the dictionary's codes with their texts, and
// RANGE_FILE the script's bytes as START:END in hex.
#include <cstdio>
#include <fstream>
#include <string>

#include "support/DictionaryGame.h"

int main(int argc, char** argv) {
    using namespace glyphwright;
    if (argc != 7) return 2;
    const auto game = testing::MakeDictionaryGame(static_cast<DictionaryLayout>(std::stoi(argv[1])),
                                                  std::stoul(argv[2]) << 20);
    std::ofstream(argv[3], std::ios::binary)
        .write(reinterpret_cast<const char*>(game.bytes.data()),
               static_cast<std::streamsize>(game.bytes.size()));
    const auto hex = [](unsigned value, int digits) {
        char text[17];
        std::snprintf(text, sizeof text, "%0*X", digits, value);
        return std::string(text);
    };
    std::ofstream font(argv[4], std::ios::binary);
    for (unsigned code = 0; code < 256; ++code) {
        if (game.table.IsLetter(static_cast<std::uint8_t>(code))) {
            font << hex(code, 2) << '=' << game.table.text[code] << '\n';
        }
    }
    std::ofstream truth(argv[5], std::ios::binary);
    for (const auto& [code, text] : game.truth) truth << hex(code, 2) << '=' << text << '\n';
    std::ofstream(argv[6]) << hex(static_cast<unsigned>(game.scriptOffset), 1) << ':'
                           << hex(static_cast<unsigned>(game.scriptOffset + game.scriptSize), 1)
                           << '\n';
    return 0;
}
