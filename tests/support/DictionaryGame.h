#pragma once

// A stand-in game whose script is compressed with a dictionary: Japanese-like text made from a
// vocabulary of kana words, compressed with 128 dictionary codes (80-FF) whose spellings the game
// keeps in one of the five layouts, amid filler that looks like the rest of a cartridge (empty
// space, tiles, packed data). The letters are the kana of JIS row 4 and a few marks on 10-67;
// 00 ends each string.

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/dictionary/FindDictionary.h"
#include "core/dictionary/LetterTable.h"

namespace glyphwright::testing {

struct DictionaryGame {
    std::vector<std::uint8_t> bytes;
    LetterTable table;                     // the letters only: what a table from the font holds
    std::map<std::uint8_t, std::string> truth;  // each dictionary code's text
    std::uint64_t dictionaryOffset = 0;    // where the entries (or the pointers) begin
    std::uint64_t scriptOffset = 0;
    std::uint64_t scriptSize = 0;
};

inline constexpr std::uint8_t kFirstLetter = 0x10;
inline constexpr std::uint8_t kFirstDictionaryCode = 0x80;
inline constexpr int kDictionaryEntries = 128;

// The letters' texts, from code 10 on.
inline std::vector<std::string> DictionaryGameLetters() {
    std::vector<std::string> letters;
    // ぁ (U+3041) to ん (U+3093): JIS row 4 in order.
    for (char32_t c = 0x3041; c <= 0x3093; ++c) {
        std::string utf8;
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
        letters.push_back(utf8);
    }
    for (const char* mark : {"。", "、", "！", "？", "ー"}) letters.emplace_back(mark);
    return letters;
}

// Makes a game of `size` bytes (at least 4 MiB) whose dictionary is kept in `layout`.
inline DictionaryGame MakeDictionaryGame(DictionaryLayout layout, std::size_t size,
                                         std::uint32_t seed = 7) {
    std::mt19937 random(seed);
    const auto below = [&](std::size_t n) {
        return static_cast<std::size_t>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random));
    };
    const std::vector<std::string> letterTexts = DictionaryGameLetters();
    const auto letterCount = letterTexts.size();
    const auto code = [](std::size_t letter) {
        return static_cast<std::uint8_t>(kFirstLetter + letter);
    };
    const std::size_t kana = 83;  // the letters before the marks
    const std::size_t period = kana, comma = kana + 1, bang = kana + 2, ask = kana + 3;

    // Kana by how often words use them: a few dozen carry most of the text.
    std::vector<double> kanaWeight(kana);
    for (std::size_t k = 0; k < kana; ++k) kanaWeight[k] = 1.0 / (1.0 + static_cast<double>((k * 37) % kana));
    std::discrete_distribution<std::size_t> pickKana(kanaWeight.begin(), kanaWeight.end());
    std::vector<std::vector<std::uint8_t>> words(700);
    for (auto& word : words) {
        const std::size_t length = 2 + below(4);
        for (std::size_t i = 0; i < length; ++i) word.push_back(code(pickKana(random)));
    }
    std::vector<double> wordWeight(words.size());
    for (std::size_t w = 0; w < words.size(); ++w) wordWeight[w] = 1.0 / (1.0 + static_cast<double>(w));
    std::discrete_distribution<std::size_t> pickWord(wordWeight.begin(), wordWeight.end());
    // Particles: は が を に の と で も.
    const std::array<std::size_t, 8> particles = {0x2E, 0x0B, 0x51, 0x2A, 0x2D, 0x27, 0x26, 0x41};

    // The text, as strings of letters.
    std::vector<std::vector<std::uint8_t>> strings;
    std::size_t textLetters = 0;
    while (textLetters < size / 24) {
        std::vector<std::uint8_t> text;
        for (std::size_t sentences = 1 + below(3); sentences-- > 0;) {
            for (std::size_t count = 2 + below(7); count-- > 0;) {
                const auto& word = words[pickWord(random)];
                text.insert(text.end(), word.begin(), word.end());
                if (below(2) == 0) text.push_back(code(particles[below(particles.size())]));
                if (below(8) == 0) text.push_back(code(comma));
            }
            const std::size_t end = below(6);
            text.push_back(code(end == 0 ? bang : end == 1 ? ask : period));
        }
        textLetters += text.size();
        strings.push_back(std::move(text));
    }

    // The dictionary: the spellings that save the most, two letters each for the layouts of pairs,
    // two to five for the others.
    const bool pairsOnly = layout == DictionaryLayout::Pairs || layout == DictionaryLayout::TwoArrays;
    const std::size_t longest = pairsOnly ? 2 : 5;
    std::map<std::vector<std::uint8_t>, std::size_t> counts;
    for (std::size_t s = 0; s < strings.size(); s += 4) {
        const auto& text = strings[s];
        for (std::size_t at = 0; at < text.size(); ++at) {
            for (std::size_t n = 2; n <= longest && at + n <= text.size(); ++n) {
                ++counts[std::vector<std::uint8_t>(text.begin() + static_cast<std::ptrdiff_t>(at),
                                                   text.begin() + static_cast<std::ptrdiff_t>(at + n))];
            }
        }
    }
    std::vector<std::pair<std::size_t, std::vector<std::uint8_t>>> ranked;
    for (const auto& [spelling, count] : counts) ranked.emplace_back(count * (spelling.size() - 1), spelling);
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::vector<std::vector<std::uint8_t>> dictionary;
    std::size_t next = 0;
    std::vector<std::vector<std::uint8_t>> script;
    // Compresses the strings, longest spelling first; spellings the script never uses are
    // replaced by the next best until every code is used.
    for (int round = 0; round < 8; ++round) {
        while (dictionary.size() < static_cast<std::size_t>(kDictionaryEntries) && next < ranked.size()) {
            dictionary.push_back(ranked[next++].second);
        }
        std::vector<std::size_t> used(dictionary.size());
        std::array<std::vector<std::size_t>, 256> byFirst;
        for (std::size_t d = 0; d < dictionary.size(); ++d) byFirst[dictionary[d][0]].push_back(d);
        script.clear();
        for (const auto& text : strings) {
            std::vector<std::uint8_t> packed;
            for (std::size_t at = 0; at < text.size();) {
                std::size_t best = dictionary.size();
                for (const std::size_t d : byFirst[text[at]]) {
                    const auto& spelling = dictionary[d];
                    if (at + spelling.size() <= text.size() &&
                        std::equal(spelling.begin(), spelling.end(),
                                   text.begin() + static_cast<std::ptrdiff_t>(at)) &&
                        (best == dictionary.size() || spelling.size() > dictionary[best].size())) {
                        best = d;
                    }
                }
                if (best == dictionary.size()) {
                    packed.push_back(text[at++]);
                } else {
                    packed.push_back(static_cast<std::uint8_t>(kFirstDictionaryCode + best));
                    ++used[best];
                    at += dictionary[best].size();
                }
            }
            packed.push_back(0x00);
            script.push_back(std::move(packed));
        }
        std::vector<std::vector<std::uint8_t>> kept;
        for (std::size_t d = 0; d < dictionary.size(); ++d) {
            if (used[d] >= 4) kept.push_back(dictionary[d]);
        }
        if (kept.size() == dictionary.size()) break;
        dictionary = std::move(kept);
    }

    DictionaryGame game;
    for (std::size_t l = 0; l < letterCount; ++l) {
        game.table.text[code(l)] = letterTexts[l];
        game.table.held.set(code(l));
    }
    for (std::size_t d = 0; d < dictionary.size(); ++d) {
        std::string text;
        for (const std::uint8_t letter : dictionary[d]) text += letterTexts[letter - kFirstLetter];
        game.truth[static_cast<std::uint8_t>(kFirstDictionaryCode + d)] = text;
    }

    // Filler as a cartridge has it: empty space, tiles of few byte values, packed data.
    game.bytes.resize(size);
    for (std::size_t at = 0; at < size; at += 4096) {
        const std::size_t kind = below(4);
        const std::array<std::uint8_t, 6> tile = {0x00, 0xFF, 0x0F, 0xF0, 0x3C, 0x7E};
        for (std::size_t i = at; i < std::min(size, at + 4096); ++i) {
            game.bytes[i] = kind == 0   ? std::uint8_t{0}
                            : kind == 1 ? tile[below(tile.size())]
                                        : static_cast<std::uint8_t>(below(256));
        }
    }
    // The dictionary near the start, the script after it.
    std::vector<std::uint8_t> stored;
    const std::uint8_t end = 0xFE;  // ends an entry in the layouts that end them
    switch (layout) {
        case DictionaryLayout::Pairs:
            for (const auto& spelling : dictionary) stored.insert(stored.end(), spelling.begin(), spelling.end());
            break;
        case DictionaryLayout::TwoArrays:
            for (const auto& spelling : dictionary) stored.push_back(spelling[0]);
            for (const auto& spelling : dictionary) stored.push_back(spelling[1]);
            break;
        case DictionaryLayout::EndedEntries:
            for (const auto& spelling : dictionary) {
                stored.insert(stored.end(), spelling.begin(), spelling.end());
                stored.push_back(end);
            }
            break;
        case DictionaryLayout::LengthPrefixed:
            for (const auto& spelling : dictionary) {
                stored.push_back(static_cast<std::uint8_t>(spelling.size()));
                stored.insert(stored.end(), spelling.begin(), spelling.end());
            }
            break;
        case DictionaryLayout::PointerTable: {
            // The entries in an order of their own (by spelling), the pointers in code order, as
            // addresses of a bank mapped at 8000.
            std::vector<std::size_t> order(dictionary.size());
            for (std::size_t d = 0; d < order.size(); ++d) order[d] = d;
            std::sort(order.begin(), order.end(),
                      [&](std::size_t a, std::size_t b) { return dictionary[a] < dictionary[b]; });
            const std::size_t entriesAt = 2 * dictionary.size();
            std::vector<std::size_t> address(dictionary.size());
            std::vector<std::uint8_t> entries;
            for (const std::size_t d : order) {
                address[d] = entriesAt + entries.size();
                entries.insert(entries.end(), dictionary[d].begin(), dictionary[d].end());
                entries.push_back(end);
            }
            const std::size_t bank = 0x8000 + 0x0400;  // the table's own address in its bank
            for (std::size_t d = 0; d < dictionary.size(); ++d) {
                const std::size_t pointer = bank + address[d];
                stored.push_back(static_cast<std::uint8_t>(pointer & 0xFF));
                stored.push_back(static_cast<std::uint8_t>(pointer >> 8));
            }
            stored.insert(stored.end(), entries.begin(), entries.end());
            break;
        }
    }
    game.dictionaryOffset = 0x90400 - (size < 0x100000 ? 0x80000 : 0);
    std::copy(stored.begin(), stored.end(), game.bytes.begin() + static_cast<std::ptrdiff_t>(game.dictionaryOffset));
    game.scriptOffset = size / 4;
    std::size_t at = game.scriptOffset;
    for (const auto& packed : script) {
        if (at + packed.size() > size) break;
        std::copy(packed.begin(), packed.end(), game.bytes.begin() + static_cast<std::ptrdiff_t>(at));
        at += packed.size();
    }
    game.scriptSize = at - game.scriptOffset;
    return game;
}

// How many of the game's dictionary codes `found` spells as the game does.
inline int RightEntries(const DictionaryGame& game, const FoundDictionary& found) {
    int right = 0;
    for (const DictionaryEntry& entry : found.entries) {
        const auto truth = game.truth.find(entry.code);
        if (truth != game.truth.end() && truth->second == entry.text) ++right;
    }
    return right;
}

}  // namespace glyphwright::testing
