#include "Faults.h"

namespace sitesim {

namespace {

struct KindNameRow {
    FaultRule::Kind kind;
    const char* name;
};

const KindNameRow KIND_NAMES[] = {
    {FaultRule::Kind::NotFound, "404"},     {FaultRule::Kind::ServerError, "500"}, {FaultRule::Kind::Empty, "empty"},
    {FaultRule::Kind::NoMarker, "nomarker"}, {FaultRule::Kind::Stall, "stall"},     {FaultRule::Kind::Huge, "huge"},
    {FaultRule::Kind::BadEuc, "badeuc"},    {FaultRule::Kind::CrLf, "crlf"},       {FaultRule::Kind::LongLines, "longlines"},
};

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    if (from.empty())
        return;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// The line break nearest to the middle of the body, so that inserted bytes
// land inside the page's main content rather than before or after it.
size_t MiddleLine(const std::string& body)
{
    size_t at = body.find('\n', body.size() / 2);
    return at == std::string::npos ? body.size() : at + 1;
}

} // namespace

bool Faults::ParseKind(const std::string& name, FaultRule::Kind& kind)
{
    for (const KindNameRow& row : KIND_NAMES)
        if (name == row.name) {
            kind = row.kind;
            return true;
        }
    return false;
}

bool Faults::ParseSwitch(const std::string& text, FaultRule& rule)
{
    size_t colon = text.find(':');
    std::string kind = text.substr(0, colon);
    if (!ParseKind(kind, rule.kind))
        return false;
    rule.match = colon == std::string::npos ? std::string() : text.substr(colon + 1);
    rule.remaining = -1;
    return true;
}

void Faults::Add(const FaultRule& rule)
{
    std::lock_guard lock(mutex_);
    rules_.push_back(rule);
}

void Faults::Clear()
{
    std::lock_guard lock(mutex_);
    rules_.clear();
}

std::optional<FaultRule> Faults::Take(const std::string& hostAndTarget)
{
    std::lock_guard lock(mutex_);
    for (auto it = rules_.begin(); it != rules_.end(); ++it) {
        if (hostAndTarget.find(it->match) == std::string::npos)
            continue;
        FaultRule taken = *it;
        if (it->remaining > 0 && --it->remaining == 0)
            rules_.erase(it);
        return taken;
    }
    return std::nullopt;
}

void Faults::ApplyToText(const FaultRule& rule, Page& page)
{
    if (rule.kind == FaultRule::Kind::NoMarker) {
        std::string marker = rule.marker.empty() ? page.keyMarker : rule.marker;
        ReplaceAll(page.text, marker, "");
    }
}

std::string Faults::ResolveBreaks(const std::string& text, bool longLines)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == HARD_BREAK)
            out += '\n';
        else if (c != '\n' || !longLines)
            out += c;
    }
    return out;
}

void Faults::ApplyToBytes(const FaultRule& rule, std::string& body)
{
    switch (rule.kind) {
    case FaultRule::Kind::CrLf: {
        std::string out;
        out.reserve(body.size() + body.size() / 20);
        for (char c : body) {
            if (c == '\n')
                out += '\r';
            out += c;
        }
        body = std::move(out);
        break;
    }
    case FaultRule::Kind::Huge: {
        // Comment lines carry no markup a reader looks for, so the page stays
        // readable while its main part outgrows any fixed buffer.
        std::string filler;
        const std::string line = "<!-- " + std::string(90, 'x') + " -->\n";
        while (body.size() + filler.size() < rule.hugeBytes)
            filler += line;
        body.insert(MiddleLine(body), filler);
        break;
    }
    case FaultRule::Kind::BadEuc: {
        // Bytes no EUC-JP text may hold: a lead byte before ASCII, a lone
        // JIS X 0212 prefix, 0xFF, and a two-byte character cut off by the end.
        static const std::string broken = std::string("\xA4 \x8F\xFF\xFF\x8E", 6) + "\n";
        body.insert(MiddleLine(body), broken);
        body.insert(body.find('\n') == std::string::npos ? 0 : body.find('\n') + 1, broken);
        body += '\xB0';
        break;
    }
    default:
        break;
    }
}

} // namespace sitesim
