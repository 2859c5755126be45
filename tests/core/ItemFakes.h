#pragma once
// What the item, bid and favourite tests run against: a loopback site with
// hand-made pages, a working folder with the cache folder inside, a fixed
// clock and front-end ports that play scripted answers.

#include "PageServer.h"
#include "TestSupport.h"
#include "item/AddFavoriteDialog.h"
#include "item/BidDialog.h"
#include "item/BidPlaceDialog.h"
#include "item/Browser.h"
#include "item/ButtonBar.h"
#include "item/QuestionDialog.h"
#include "net/TimeLeft.h"
#include "net/WorkingFiles.h"

#include <ctime>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kelo::test {

class FakeBrowser : public Browser {
public:
    void ShowInBrowser(std::string_view pathOrUrl) override { shown.emplace_back(pathOrUrl); }
    std::vector<std::string> shown;
};

// Records what a window would have painted.
class RecordingButtonBar : public ButtonBar {
public:
    int titlesShown = 0;
    int summariesShown = 0;

protected:
    void ShowTitle(std::string_view) override { ++titlesShown; }
    void ShowSummaryFields(const ItemSummaryFields&) override { ++summariesShown; }
};

class ScriptedBidDialog : public BidDialog {
public:
    bool ShowBidDialog(BidEntry& entry) override {
        offered.push_back(entry);
        if (!bid)
            return false;
        entry.amount = amount;
        entry.quantity = quantity;
        entry.password = password;
        entry.comment = comment;
        return true;
    }
    bool bid = true;
    std::string amount = "2000";
    std::string quantity = "1";
    std::string password = "secret";
    std::string comment;
    std::vector<BidEntry> offered;
};

// Each showing takes the next answer; an exhausted script cancels.
class ScriptedBidPlaceDialog : public BidPlaceDialog {
public:
    struct Answer {
        bool ok;
        std::string amount; // re-bid mode: typed over the offer unless empty
    };
    struct Shown {
        BidPlaceMode mode;
        std::string message;
        std::string offered;
    };
    bool ShowBidPlace(BidPlaceMode mode, std::string_view message, std::string& amount) override {
        shown.push_back({mode, std::string(message), amount});
        if (onShow)
            onShow();
        if (answers.empty())
            return false;
        const Answer answer = answers.front();
        answers.pop_front();
        if (!answer.amount.empty())
            amount = answer.amount;
        return answer.ok;
    }
    std::deque<Answer> answers;
    std::vector<Shown> shown;
    std::function<void()> onShow; // a command the user gives while the dialog is open
};

class ScriptedQuestionDialog : public QuestionDialog {
public:
    bool ShowQuestion(std::string_view title, std::string& question) override {
        titles.emplace_back(title);
        question = "送料は？";
        return true;
    }
    std::vector<std::string> titles;
};

class ScriptedAddFavoriteDialog : public AddFavoriteDialog {
public:
    bool ShowAddFavorite(FavoriteEntry& entry) override {
        offered.push_back(entry);
        if (!ok)
            return false;
        if (rename)
            entry.name = name;
        entry.watchList = watchList;
        return true;
    }
    bool ok = true;
    bool rename = false;
    std::string name;
    bool watchList = false;
    std::vector<FavoriteEntry> offered;
};

// A loopback site, the working folder (dump files, the program's folder and
// so the cache folder), a profile, recorded messages and a fixed clock.
class ItemHarness {
public:
    ItemHarness() : fetch_(server), working_(work.path()) {
        SetProgramPathForTests(work / "kelo");
        SetClock([this] { return now; });
    }
    ~ItemHarness() {
        SetClock(nullptr);
        SetProgramPathForTests("");
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : messages.shown)
            texts.push_back(shown.text);
        return texts;
    }
    std::string Dump(const char* name) const { return ReadFileBytes(work / name); }

    TempDir work;
    PageServer server;
    ScopedProfile profile;
    RecordingMessageBox messages;
    std::time_t now = LocalTime(2026, 5, 22, 18, 30);

private:
    ScopedFetchToServer fetch_;
    ScopedWorkingFolder working_;
};

// Percent-decodes a query value as a site reads a form submission.
inline std::string DecodeFormValue(std::string_view value) {
    std::string out;
    for (std::size_t at = 0; at < value.size(); ++at) {
        if (value[at] == '+') {
            out += ' ';
        } else if (value[at] == '%' && at + 2 < value.size()) {
            out += static_cast<char>(std::stoi(std::string(value.substr(at + 1, 2)), nullptr, 16));
            at += 2;
        } else {
            out += value[at];
        }
    }
    return out;
}

// The decoded value of one field of a query, or "(absent)".
inline std::string QueryField(std::string_view target, std::string_view name) {
    const std::size_t query = target.find('?');
    std::string_view rest = query == std::string_view::npos ? std::string_view() : target.substr(query + 1);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        const std::size_t equals = pair.find('=');
        if (pair.substr(0, equals) == name)
            return equals == std::string_view::npos ? std::string()
                                                    : DecodeFormValue(pair.substr(equals + 1));
        rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    }
    return "(absent)";
}

} // namespace kelo::test
