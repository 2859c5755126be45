#include "Sessions.h"

#include "TextCodec.h"

namespace sitesim {

Sessions::Sessions(std::string user, std::string password)
    : user_(std::move(user)), password_(std::move(password)), random_(std::random_device{}())
{
    // A name or password that EUC-JP cannot hold can never be typed into the
    // site's forms; it then matches only its own bytes.
    if (!TextCodec::Utf8ToEucJp(user_, userEuc_))
        userEuc_ = user_;
    if (!TextCodec::Utf8ToEucJp(password_, passwordEuc_))
        passwordEuc_ = password_;
}

bool Sessions::CheckAccount(const std::string& formLogin, const std::string& formPassword) const
{
    return formLogin == userEuc_ && CheckPassword(formPassword);
}

bool Sessions::CheckPassword(const std::string& formPassword) const
{
    return formPassword == passwordEuc_;
}

std::string Sessions::RandomHex(size_t length)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < length; ++i)
        out += hex[random_() & 15];
    return out;
}

std::string Sessions::Open()
{
    std::lock_guard lock(mutex_);
    std::string token = RandomHex(32);
    sessions_.insert(token);
    return token;
}

std::vector<std::string> Sessions::CookieValues(const std::string& header, const std::string& name)
{
    std::vector<std::string> values;
    size_t at = 0;
    while (at < header.size()) {
        size_t end = header.find(';', at);
        if (end == std::string::npos)
            end = header.size();
        std::string pair = header.substr(at, end - at);
        size_t first = pair.find_first_not_of(' ');
        if (first != std::string::npos) {
            pair.erase(0, first);
            if (pair.compare(0, name.size() + 1, name + "=") == 0)
                values.push_back(pair.substr(name.size() + 1));
        }
        at = end + 1;
    }
    return values;
}

// A browser may still hold an old session beside the current one; any live
// one signs the request in.
std::string Sessions::MemberOf(const std::string& cookieHeader) const
{
    std::vector<std::string> tokens = CookieValues(cookieHeader, COOKIE_NAME);
    std::lock_guard lock(mutex_);
    for (const std::string& token : tokens)
        if (sessions_.count(token) != 0)
            return user_;
    return {};
}

void Sessions::Close(const std::string& cookieHeader)
{
    std::vector<std::string> tokens = CookieValues(cookieHeader, COOKIE_NAME);
    std::lock_guard lock(mutex_);
    for (const std::string& token : tokens)
        sessions_.erase(token);
}

std::string Sessions::IssueToken(const std::string& itemId)
{
    std::lock_guard lock(mutex_);
    std::string token = RandomHex(24);
    tokens_.insert(itemId + ":" + token);
    return token;
}

bool Sessions::SpendToken(const std::string& itemId, const std::string& token)
{
    std::lock_guard lock(mutex_);
    return tokens_.erase(itemId + ":" + token) == 1;
}

} // namespace sitesim
