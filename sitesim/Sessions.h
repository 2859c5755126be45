#pragma once
// Sign-in: the one member account, the session cookies handed out for it and
// the one-time "a" tokens that tie a bid to the page that offered it.

#include <mutex>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace sitesim {

class Sessions {
public:
    // user and password as typed (UTF-8); the site compares the EUC-JP bytes a
    // browser would send from its pages.
    Sessions(std::string user, std::string password);

    const std::string& User() const { return user_; }

    // True when the decoded form values name the account.
    bool CheckAccount(const std::string& formLogin, const std::string& formPassword) const;
    bool CheckPassword(const std::string& formPassword) const;

    // A new session token for the account.
    std::string Open();
    // The member signed in with the request's Cookie header, or empty.
    std::string MemberOf(const std::string& cookieHeader) const;
    void Close(const std::string& cookieHeader);

    // One-time tokens for the bid pages, bound to an item.
    std::string IssueToken(const std::string& itemId);
    // True once for a token issued for this item; the token is then spent.
    bool SpendToken(const std::string& itemId, const std::string& token);

    static constexpr const char* COOKIE_NAME = "VSESSION";

private:
    std::string RandomHex(size_t length);
    static std::vector<std::string> CookieValues(const std::string& header, const std::string& name);

    std::string user_;
    std::string password_;
    std::string userEuc_;
    std::string passwordEuc_;
    mutable std::mutex mutex_;
    std::mt19937_64 random_;
    std::set<std::string> sessions_;
    std::set<std::string> tokens_;   // itemId + ":" + token
};

} // namespace sitesim
