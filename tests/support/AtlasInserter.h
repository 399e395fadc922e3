#pragma once

// A small inserter for the tests, written from Atlas's reference guide: the commands a dump uses
// (VAR, ADDTBL, ACTIVETBL — the table text lines are read with from there on —, CREATEPTR,
// ENDIANSWAP, JMP, WRITE with a custom pointer) and text
// lines turned into bytes as the guide and its table reference describe — the longest text the
// table holds first, <$XX> and ($XX) for raw bytes, "//" lines as comments, the script's own line
// breaks inserting nothing. Deliberately naive: it shares no code with the dumper.
// Read as abcde's Atlas mode reads a script, it drops "\n" from the table's texts (a line whose
// text is "\n" alone then inserts nothing) and ignores the script's newlines: the text lines
// between two commands are one text.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright::test {

class AtlasInserter {
public:
    enum class Reading { Atlas, Abcde };

    // `tableFile`: the table file's text, "XX=text" and "/XX=text" lines. Atlas's table reader
    // passes over every line that begins with '$', '!', '@', '(', '[' or '{': a linked entry's
    // label, a switch and a table's id insert nothing, and the lines of every table of a file
    // are one table to it. `files`: other table files by the path ADDTBL names them with; a path
    // not there loads `tableFile`.
    explicit AtlasInserter(const std::string& tableFile,
                           const std::map<std::string, std::string>& files = {},
                           Reading reading = Reading::Atlas)
        : reading_(reading), table_(Read(tableFile)) {
        for (const auto& [path, text] : files) files_.emplace('"' + path + '"', Read(text));
    }

    // Runs the script over `game`; the reason it stopped, or none.
    std::optional<std::string> Insert(const std::string& script, std::vector<std::uint8_t>& game) {
        std::istringstream lines(script);
        std::string line;
        std::string text;  // abcde: the text lines since the last command
        int number = 0;
        while (std::getline(lines, line)) {
            ++number;
            const auto first = line.find_first_not_of(" \t");
            if (first == std::string::npos) continue;
            if (line.compare(first, 2, "//") == 0) continue;
            if (line[first] == '#') {
                if (auto problem = Text(text, number, game)) return problem;
                text.clear();
                if (auto problem = Command(line.substr(first), game)) {
                    return "line " + std::to_string(number) + ": " + *problem;
                }
                continue;
            }
            text += line;
            if (reading_ == Reading::Abcde) continue;
            if (auto problem = Text(text, number, game)) return problem;
            text.clear();
        }
        return Text(text, number, game);
    }

private:
    using Texts = std::map<std::string, std::string>;  // text to the bytes it inserts

    // Inserts `line` at the position: the longest text the active table holds at each place.
    std::optional<std::string> Text(const std::string& line, int number,
                                    std::vector<std::uint8_t>& game) {
        for (std::size_t at = 0; at < line.size();) {
            std::size_t length = std::min(line.size() - at, std::size_t{64});
            for (; length > 0; --length) {
                if (active_ == nullptr)
                    return "line " + std::to_string(number) + ": no active table";
                const auto found = active_->find(line.substr(at, length));
                if (found == active_->end()) continue;
                for (const char byte : found->second) {
                    if (position_ >= game.size()) return "text past the file's end";
                    game[position_++] = static_cast<std::uint8_t>(byte);
                }
                break;
            }
            if (length == 0) return "line " + std::to_string(number) + ": no entry for " + line.substr(at);
            at += length;
        }
        return std::nullopt;
    }

    Texts Read(const std::string& tableFile) const {
        Texts texts;
        for (int byte = 0; byte < 256; ++byte) {
            char text[8];
            std::snprintf(text, sizeof text, "<$%02X>", byte);
            texts.emplace(text, std::string(1, static_cast<char>(byte)));
            std::snprintf(text, sizeof text, "($%02X)", byte);
            texts.emplace(text, std::string(1, static_cast<char>(byte)));
        }
        std::istringstream lines(tableFile);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.empty() || std::string_view("$!@([{").find(line.front()) != std::string_view::npos) {
                continue;
            }
            if (line.front() == '/') line.erase(0, 1);
            const auto equals = line.find('=');
            std::string bytes;
            for (std::size_t i = 0; i + 1 < equals; i += 2) {
                bytes += static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16));
            }
            std::string text = line.substr(equals + 1);
            if (reading_ == Reading::Abcde) {
                for (std::size_t n; (n = text.find("\\n")) != std::string::npos;) text.erase(n, 2);
                if (text.empty()) continue;
            }
            texts.emplace(text, bytes);  // the first line of a text wins
        }
        return texts;
    }

    struct Pointer {
        std::string type;
        std::int64_t offsetting = 0;
        int bits = 16;
    };

    static std::int64_t Number(std::string text) {
        if (text.front() != '$') return std::stoll(text);
        text.erase(0, 1);
        const bool negative = text.front() == '-';
        const std::int64_t value = std::stoll(negative ? text.substr(1) : text, nullptr, 16);
        return negative ? -value : value;
    }

    std::optional<std::string> Command(const std::string& line, std::vector<std::uint8_t>& game) {
        const auto open = line.find('(');
        const auto close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos) return "not a command";
        const std::string name = line.substr(1, open - 1);
        std::vector<std::string> arguments;
        std::istringstream list(line.substr(open + 1, close - open - 1));
        for (std::string argument; std::getline(list, argument, ',');) {
            argument.erase(0, argument.find_first_not_of(' '));
            argument.erase(argument.find_last_not_of(' ') + 1);
            arguments.push_back(argument);
        }
        if (name == "VAR") return std::nullopt;
        if (name == "ADDTBL") {
            const auto file = files_.find(arguments.at(0));
            tables_[arguments.at(1)] = file != files_.end() ? file->second : table_;
            return std::nullopt;
        }
        if (name == "ACTIVETBL") {
            const auto table = tables_.find(arguments.at(0));
            if (table == tables_.end()) return "no table " + arguments.at(0);
            active_ = &table->second;
            return std::nullopt;
        }
        if (name == "JMP") {
            position_ = static_cast<std::uint64_t>(Number(arguments.at(0)));
            return std::nullopt;
        }
        if (name == "ENDIANSWAP") {
            swap_ = arguments.at(0) == "\"TRUE\"";
            return std::nullopt;
        }
        if (name == "CREATEPTR") {
            pointers_[arguments.at(0)] = {arguments.at(1), Number(arguments.at(2)),
                                          static_cast<int>(Number(arguments.at(3)))};
            return std::nullopt;
        }
        if (name == "WRITE") {
            const auto pointer = pointers_.find(arguments.at(0));
            if (pointer == pointers_.end()) return "no pointer " + arguments.at(0);
            const Pointer& kind = pointer->second;
            const auto at = static_cast<std::uint64_t>(Number(arguments.at(1)));
            std::uint64_t address = position_;
            // The guide's address types: LoROM maps 32 KiB into the upper half of each bank.
            if (kind.type == "\"LOROM00\"" || kind.type == "\"LOROM80\"") {
                address = (position_ / 0x8000) * 0x10000 + 0x8000 + position_ % 0x8000;
                if (kind.type == "\"LOROM80\"") address += 0x800000;
            } else if (kind.type == "\"HIROM\"") {
                address = position_ + 0xC00000;
            } else if (kind.type != "\"LINEAR\"") {
                return "address type " + kind.type;
            }
            const std::uint64_t value = static_cast<std::uint64_t>(
                static_cast<std::int64_t>(address) - kind.offsetting);
            const int bytes = kind.bits / 8;
            for (int i = 0; i < bytes; ++i) {
                const int shift = 8 * (swap_ ? bytes - 1 - i : i);
                if (at + static_cast<unsigned>(i) >= game.size()) return "pointer past the file's end";
                game[at + static_cast<unsigned>(i)] = static_cast<std::uint8_t>(value >> shift);
            }
            return std::nullopt;
        }
        return "unknown command " + name;
    }

    Reading reading_;
    Texts table_;
    std::map<std::string, Texts> files_;   // by the path as ADDTBL writes it, in quotes
    std::map<std::string, Texts> tables_;  // by the name ADDTBL gives them
    const Texts* active_ = nullptr;
    std::map<std::string, Pointer> pointers_;
    std::uint64_t position_ = 0;
    bool swap_ = false;
};

}  // namespace glyphwright::test
