#include "core/glyphs/FontOrder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/glyphs/Repertoire.h"
#include "core/glyphs/SuggestionReport.h"

namespace glyphwright {

namespace {

// JIS X 0208 is 84 rows of 94 cells; its kanji end at row 84.
constexpr int kJisRows = 84;

// What a guess costs against the best guess: this much per unit of its margin (how much farther
// it lies, relative to its distance). A confidence of 1 is a margin of 0.35.
constexpr float kShapeWeight = 6.0f;
// A glyph read this surely keeps its reading, whatever runs go by it.
constexpr float kSureOfItself = 1.0f;
// What continuing a run is worth: the next character, or one or two left out between.
constexpr std::array<float, 4> kRunBonus = {0.0f, 1.6f, 0.9f, 0.6f};
constexpr int kLongestGap = static_cast<int>(kRunBonus.size()) - 1;
// A candidate the runs propose is weighed only where it could win with runs on both sides.
constexpr float kHopeless = 2 * kRunBonus[1] + 1.0f;
// The candidates of a glyph that propose its neighbours' candidates, best first.
constexpr std::size_t kBeam = 8;
// How many of a long run's characters on each side of a glyph its reason shows.
constexpr std::size_t kShown = 2;
// How far on each side of a glyph its neighbours' best guesses are looked at to tell whether the
// font keeps an order there, and what share of them must continue a run for the order to count
// fully (none below kOrderlessShare): a font's glyphs in no order would otherwise be read into
// runs they only happen to make.
constexpr std::size_t kOrderReach = 24;
constexpr float kOrderlessShare = 0.1f;
constexpr float kOrderedShare = 0.3f;

struct Option {
    char32_t character = 0;
    float cost = 0;
    FontOrder::Places places{};
};

float RunBonus(const FontOrder::Places& a, const FontOrder::Places& b) {
    const int gap = FontOrder::Gap(a, b);
    return gap > 0 && gap <= kLongestGap ? kRunBonus[static_cast<std::size_t>(gap)] : 0.f;
}

// The glyph's margin against its best guess, as a cost.
float ShapeCost(float distance, float best) {
    const float margin = (distance - best) / std::max({distance, best, 1e-6f});
    return kShapeWeight * margin;
}

class Path {
public:
    Path(const FontOrder& order, std::vector<GlyphSuggestion>& readings,
         const MeasureCandidate& measure)
        : order_(order), readings_(readings), measure_(measure), options_(readings.size()) {
        for (std::size_t i = 0; i < readings.size(); ++i) {
            const auto& ranked = readings[i].ranked;
            fixed_.push_back(readings[i].confidence >= kSureOfItself);
            for (const Guess& g : ranked) {
                if (fixed_[i] && g.character != ranked.front().character) break;
                options_[i].push_back(Option{g.character,
                                             ShapeCost(g.distance, ranked.front().distance),
                                             order.PlacesOf(g.character)});
            }
        }
        // How much each link, between glyph j and j + 1, is worth here: as much as the best
        // guesses around it continue runs of their own.
        const std::size_t n = readings.size();
        std::vector<int> linked(n + 1, 0), pairs(n + 1, 0);
        for (std::size_t j = 0; j < n; ++j) {
            linked[j + 1] = linked[j];
            pairs[j + 1] = pairs[j];
            if (j + 1 >= n || options_[j].empty() || options_[j + 1].empty()) continue;
            ++pairs[j + 1];
            if (RunBonus(options_[j].front().places, options_[j + 1].front().places) > 0)
                ++linked[j + 1];
        }
        weight_.assign(n, 0.f);
        for (std::size_t j = 0; j + 1 < n; ++j) {
            const std::size_t from = j >= kOrderReach ? j - kOrderReach : 0;
            const std::size_t to = std::min(n, j + kOrderReach + 1);
            const int around = pairs[to] - pairs[from];
            if (around == 0) continue;
            const float share =
                static_cast<float>(linked[to] - linked[from]) / static_cast<float>(around);
            weight_[j] =
                std::clamp((share - kOrderlessShare) / (kOrderedShare - kOrderlessShare), 0.f, 1.f);
        }
    }

    // One pass across the font (forward, or backward with `direction` -1): each glyph's best
    // candidates so far propose the characters that would continue their runs to the next glyph.
    [[nodiscard]] bool Ordered() const {
        return std::any_of(weight_.begin(), weight_.end(), [](float w) { return w > 0; });
    }

    void Propose(int direction) {
        const std::size_t n = options_.size();
        std::vector<float> score, before;
        std::vector<std::size_t> beam;
        for (std::size_t step = 0; step < n; ++step) {
            const std::size_t i = direction > 0 ? step : n - 1 - step;
            if (options_[i].empty()) {
                before.clear();
                beam.clear();
                continue;
            }
            const std::size_t previous = direction > 0 ? i - 1 : i + 1;
            for (std::size_t b : beam) {
                for (std::size_t o = 0; o < FontOrder::kOrders; ++o) {
                    for (int k = 1; k <= 2; ++k)
                        Add(i, order_.Step(o, options_[previous][b].character, direction * k));
                }
            }
            score.assign(options_[i].size(), 0.f);
            for (std::size_t j = 0; j < options_[i].size(); ++j) {
                float best = before.empty() ? 0.f : -std::numeric_limits<float>::max();
                for (std::size_t p = 0; p < before.size(); ++p) {
                    const Option& from = options_[previous][p];
                    const float bonus =
                        weight_[std::min(i, previous)] *
                        (direction > 0 ? RunBonus(from.places, options_[i][j].places)
                                       : RunBonus(options_[i][j].places, from.places));
                    best = std::max(best, before[p] + bonus);
                }
                score[j] = best - options_[i][j].cost;
            }
            beam.resize(score.size());
            for (std::size_t j = 0; j < beam.size(); ++j) beam[j] = j;
            const std::size_t keep = std::min(kBeam, beam.size());
            std::partial_sort(beam.begin(), beam.begin() + static_cast<std::ptrdiff_t>(keep),
                              beam.end(),
                              [&](std::size_t a, std::size_t b) { return score[a] > score[b]; });
            beam.resize(keep);
            before = score;
        }
    }

    // The best path through every glyph's candidates; each glyph that leaves its best guess for
    // it says which run it continues.
    void Settle() {
        const std::size_t n = options_.size();
        std::vector<std::vector<float>> score(n);
        std::vector<std::vector<std::size_t>> from(n);
        for (std::size_t i = 0; i < n; ++i) {
            score[i].assign(options_[i].size(), 0.f);
            from[i].assign(options_[i].size(), 0);
            const bool linked = i > 0 && !options_[i - 1].empty();
            for (std::size_t j = 0; j < options_[i].size(); ++j) {
                float best = 0;
                if (linked) {
                    best = -std::numeric_limits<float>::max();
                    for (std::size_t p = 0; p < options_[i - 1].size(); ++p) {
                        const float s =
                            score[i - 1][p] + weight_[i - 1] * RunBonus(options_[i - 1][p].places,
                                                                        options_[i][j].places);
                        if (s > best) {
                            best = s;
                            from[i][j] = p;
                        }
                    }
                }
                score[i][j] = best - options_[i][j].cost;
            }
        }
        std::vector<std::size_t> chosen(n, 0);
        for (std::size_t i = n; i-- > 0;) {
            if (options_[i].empty()) continue;
            if (i + 1 < n && !options_[i + 1].empty()) {
                chosen[i] = from[i + 1][chosen[i + 1]];
            } else {
                chosen[i] = static_cast<std::size_t>(
                    std::max_element(score[i].begin(), score[i].end()) - score[i].begin());
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (options_[i].empty() || chosen[i] == 0) continue;
            const std::string why = WhyAt(chosen, i);
            if (why.empty()) continue;  // not for a run: its pixels decide
            GlyphSuggestion& r = readings_[i];
            r.MakeBest(options_[i][chosen[i]].character);
            r.decidedBy = Evidence::Order;
            r.why = why;
        }
    }

private:
    void Add(std::size_t i, char32_t c) {
        if (c == 0 || fixed_[i]) return;
        auto& options = options_[i];
        if (std::any_of(options.begin(), options.end(),
                        [&](const Option& o) { return o.character == c; })) {
            return;
        }
        const float distance = measure_(i, c);
        if (!std::isfinite(distance)) return;
        const float cost = ShapeCost(distance, readings_[i].ranked.front().distance);
        if (cost > kHopeless) return;
        options.push_back(Option{c, cost, order_.PlacesOf(c)});
    }

    bool Linked(const std::vector<std::size_t>& chosen, std::size_t a) const {
        const std::size_t b = a + 1;
        if (b >= options_.size() || options_[a].empty() || options_[b].empty()) return false;
        return weight_[a] * RunBonus(options_[a][chosen[a]].places, options_[b][chosen[b]].places) >
               0;
    }

    std::string WhyAt(const std::vector<std::size_t>& chosen, std::size_t i) const {
        auto at = [&](std::size_t j) { return Utf8Of(options_[j][chosen[j]].character); };
        const bool left = i > 0 && Linked(chosen, i - 1);
        const bool right = Linked(chosen, i);
        if (!left && !right) return {};
        std::size_t first = i, last = i;
        while (first > 0 && Linked(chosen, first - 1)) --first;
        while (Linked(chosen, last)) ++last;
        if (last - first + 1 >= 4) {
            // The run around the glyph, two on each side, and where it goes on beyond them.
            const std::size_t from = std::max(first, i >= kShown ? i - kShown : 0);
            const std::size_t to = std::min(last, i + kShown);
            std::string run = from > first ? "…" : "";
            for (std::size_t j = from; j <= to; ++j) run += at(j);
            if (to < last) run += "…";
            return "continues " + run;
        }
        if (left && right) return "between " + at(i - 1) + " and " + at(i + 1);
        return left ? "follows " + at(i - 1) : "comes before " + at(i + 1);
    }

    const FontOrder& order_;
    std::vector<GlyphSuggestion>& readings_;
    const MeasureCandidate& measure_;
    std::vector<std::vector<Option>> options_;
    std::vector<float> weight_;  // per link to the next glyph, how much the order counts there
    std::vector<bool> fixed_;    // per glyph, read surely enough to keep its reading
};

}  // namespace

FontOrder::FontOrder(const std::vector<char32_t>& candidates) {
    if (candidates.empty()) return;
    const std::unordered_map<char32_t, bool> wanted = [&] {
        std::unordered_map<char32_t, bool> w;
        for (char32_t c : candidates) w.emplace(c, true);
        return w;
    }();
    auto add = [&](std::size_t order, char32_t c) {
        if (wanted.contains(c) && !place_[order].contains(c)) {
            place_[order].emplace(c, static_cast<int>(sequence_[order].size()));
            sequence_[order].push_back(c);
        }
    };
    for (int row = 1; row <= kJisRows; ++row) {
        for (char32_t c : JisRows(row, row)) {
            add(0, c);
            if (row != 2 && (row < 6 || row > 8)) add(1, c);
        }
    }
    std::vector<char32_t> byCode = candidates;
    std::sort(byCode.begin(), byCode.end());
    for (char32_t c : byCode) add(2, c);
}

char32_t FontOrder::Step(std::size_t order, char32_t c, int steps) const {
    const auto found = place_[order].find(c);
    if (found == place_[order].end()) return 0;
    const long to = long{found->second} + steps;
    if (to < 0 || to >= static_cast<long>(sequence_[order].size())) return 0;
    return sequence_[order][static_cast<std::size_t>(to)];
}

FontOrder::Places FontOrder::PlacesOf(char32_t c) const {
    Places places;
    for (std::size_t o = 0; o < kOrders; ++o) {
        const auto found = place_[o].find(c);
        places[o] = found == place_[o].end() ? kNowhere : found->second;
    }
    return places;
}

int FontOrder::Gap(const Places& a, const Places& b) {
    int closest = 0;
    for (std::size_t o = 0; o < kOrders; ++o) {
        if (a[o] == kNowhere || b[o] == kNowhere || b[o] <= a[o]) continue;
        const int gap = b[o] - a[o];
        if (closest == 0 || gap < closest) closest = gap;
    }
    return closest;
}

void SettleFontOrder(const FontOrder& order, std::vector<GlyphSuggestion>& readings,
                     const MeasureCandidate& measure) {
    Path path(order, readings, measure);
    if (!path.Ordered()) return;
    path.Propose(1);
    path.Propose(-1);
    path.Settle();
}

}  // namespace glyphwright
