#pragma once
// Faults a test can switch on for chosen pages: a rule names a kind and a
// piece of "host + path?query" and applies to the next matching requests.

#include "Page.h"

#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace sitesim {

struct FaultRule {
    enum class Kind { NotFound, ServerError, Empty, NoMarker, Stall, Huge, BadEuc, CrLf, LongLines };

    Kind kind = Kind::NotFound;
    std::string match;          // empty matches every request
    int remaining = -1;         // requests left; -1 for every one
    int stallSeconds = 120;     // Stall: how long the answer hangs
    size_t hugeBytes = 4 << 20; // Huge: about how large the page grows
    std::string marker;         // NoMarker: UTF-8 text to take out; empty for the page's own key marker
};

class Faults {
public:
    static bool ParseKind(const std::string& name, FaultRule::Kind& kind);
    // "kind:match" as the command line gives it.
    static bool ParseSwitch(const std::string& text, FaultRule& rule);

    void Add(const FaultRule& rule);
    void Clear();
    // The first rule that matches, counted as used.
    std::optional<FaultRule> Take(const std::string& hostAndTarget);

    // Faults that change the page before it is encoded.
    static void ApplyToText(const FaultRule& rule, Page& page);
    // Turns the page's hard breaks into line feeds; long lines drop the others.
    static std::string ResolveBreaks(const std::string& text, bool longLines);
    // Faults that change the encoded bytes.
    static void ApplyToBytes(const FaultRule& rule, std::string& body);

private:
    std::mutex mutex_;
    std::vector<FaultRule> rules_;
};

} // namespace sitesim
