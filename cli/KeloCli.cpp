#include "KeloCli.h"

#include "TerminalAddFavoriteDialog.h"
#include "TerminalBidPlaceDialog.h"
#include "TerminalOutput.h"

#include "app/SignIn.h"
#include "item/BidDialog.h"
#include "item/BidEntryCheck.h"
#include "item/BidExchange.h"
#include "item/ItemPageUrls.h"
#include "item/ItemSummary.h"
#include "net/JString.h"
#include "net/Unicode.h"

#include <optional>
#include <string>

namespace kelo::cli {

KeloCli::KeloCli() : commands_(KeloPorts{list_, progress_, pump_, browser_, buttonBar_}) {
    SetMessageBoxPort(messages_);
}

KeloCli::~KeloCli() { ResetMessageBoxPort(); }

int KeloCli::Run(const CommandLine& line) {
    const std::string& command = line.command;
    if (command == "search")
        return Search(line);
    if (command == "category")
        return Category(line);
    if (command == "mylist")
        return MyList(line);
    if (command == "sorel")
        return Sorel(line);
    if (command == "item")
        return Item(line);
    if (command == "bid")
        return Bid(line);
    if (command == "signin")
        return SignIn(line);
    if (command == "favorites")
        return ListFavorites();
    if (command == "favorites add")
        return AddFavorite(line);
    if (command == "favorites delete")
        return DeleteFavorite(line);
    if (command == "history")
        return ListHistory();
    if (command == "tree")
        return PrintTree();
    return UsageError("unknown command " + command);
}

int KeloCli::Status(bool succeeded) const {
    return succeeded && messages_.Shown() == 0 ? EXIT_DONE : EXIT_FAILED;
}

int KeloCli::UsageError(const std::string& reason) const {
    TerminalOutput::Error("kelo-cli: " + reason + "\n" + CommandLine::Usage());
    return EXIT_USAGE;
}

int KeloCli::ListingDone(int loaded) {
    // The rows loaded before a failure or a cancel are printed too.
    for (const ListingRow& row : list_.Rows())
        TerminalOutput::Record({std::to_string(row.flags), row.title, row.price, row.bids, row.timeLeft, row.url});
    return Status(loaded == 1);
}

int KeloCli::Search(const CommandLine& line) {
    return ListingDone(commands_.OnSearchTarget(SEARCH_TARGET_ALL, Utf8ToSjis(line.operands[0])));
}

int KeloCli::Category(const CommandLine& line) {
    return ListingDone(commands_.LoadCategoryListing(Utf8ToSjis(line.operands[0])));
}

int KeloCli::MyList(const CommandLine& line) {
    return ListingDone(commands_.LoadMyAuctionList(line.operands[0][0] - '0'));
}

int KeloCli::Sorel(const CommandLine& line) {
    return ListingDone(commands_.LoadSecondaryList(Utf8ToSjis(line.operands[0])));
}

std::string KeloCli::KnownTitle(const std::string& url) {
    const auto& entries = commands_.GetHistory().Entries();
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        if (entry->url == url)
            return entry->title;
    return ItemIdFromUrl(url);
}

int KeloCli::Item(const CommandLine& line) {
    const std::string url = Utf8ToSjis(line.operands[0]);
    const std::string page = line.page.value_or("item");
    std::string path;
    if (page == "item") {
        // Opened as from the result list: it goes into the history.
        commands_.GetHistory().LoadHistory();
        path = commands_.OpenItem(url, KnownTitle(url));
    } else {
        ItemPageUrls urls;
        if (!BuildItemPageUrls(url, url, urls)) {
            TerminalOutput::Error("kelo-cli: " + line.operands[0] + " is not an item page of Vanto\n");
            return EXIT_FAILED;
        }
        path = page == "bids" ? ShowItemSummary(urls.bidHistory, SUMMARY_BID_HISTORY, buttonBar_)
                              : ShowItemSummary(urls.questions, SUMMARY_QANDA, buttonBar_);
    }
    if (path.empty())
        return EXIT_FAILED;
    const ItemSummaryFields& fields = buttonBar_.SummaryFields();
    // The bar shows a space where the reserve is reached; a script wants nothing there.
    const std::string reserve = fields.reserve == " " ? "" : fields.reserve;
    TerminalOutput::Record({"quantity", fields.quantity});
    TerminalOutput::Record({"price", fields.price});
    TerminalOutput::Record({"desired", fields.desired});
    TerminalOutput::Record({"reserve", reserve});
    TerminalOutput::Record({"end", fields.end});
    // A path is the file system's bytes, not the core's Shift_JIS text.
    TerminalOutput::Out("file\t" + path + "\n");
    return Status(true);
}

bool KeloCli::Password(const CommandLine& line, std::string& password) const {
    if (line.password) {
        password = Utf8ToSjis(*line.password);
        return true;
    }
    std::string typed;
    if (!TerminalOutput::ReadPassword("Password: ", typed))
        return false;
    password = Utf8ToSjis(typed);
    return true;
}

int KeloCli::Bid(const CommandLine& line) {
    const std::string url = Utf8ToSjis(line.operands[0]);
    BidEntry entry;
    entry.amount = Utf8ToSjis(line.operands[1]);
    entry.quantity = Utf8ToSjis(line.quantity.value_or("1"));
    int amount = 0;
    int quantity = 0;
    std::string refusal;
    if (!CheckBidEntry(entry, amount, quantity, refusal))
        return UsageError(SjisToUtf8(refusal));
    if (!Password(line, entry.password))
        return UsageError("--password is needed when no terminal is there to type it");
    TerminalBidPlaceDialog dialog;
    return Status(PlaceBid(url, amount, quantity, entry.password, entry.comment, dialog) == 1);
}

int KeloCli::SignIn(const CommandLine& line) {
    std::string password;
    if (!Password(line, password))
        return UsageError("--password is needed when no terminal is there to type it");
    return Status(kelo::SignIn(Utf8ToSjis(line.operands[0]), password));
}

int KeloCli::ListFavorites() {
    Favorites& favorites = commands_.GetFavorites();
    for (const std::string& name : favorites.ListFavorites())
        TerminalOutput::Record({name, favorites.ReadFavoriteUrl(name)});
    return Status(true);
}

int KeloCli::AddFavorite(const CommandLine& line) {
    const std::string url = Utf8ToSjis(line.operands[0]);
    std::optional<std::string> name;
    if (line.operands.size() > 1)
        name = Utf8ToSjis(line.operands[1]);
    commands_.GetHistory().LoadHistory();
    TerminalAddFavoriteDialog dialog(name, line.watch);
    const std::string used = commands_.GetFavorites().AddToFavorites(url, KnownTitle(url), dialog);
    if (used.empty()) {
        TerminalOutput::Error("kelo-cli: the favourite could not be written\n");
        return EXIT_FAILED;
    }
    if (name && used != *name)
        TerminalOutput::Error("kelo-cli: saved as " + SjisToUtf8(used) + "\n");
    return Status(true);
}

int KeloCli::DeleteFavorite(const CommandLine& line) {
    if (!commands_.GetFavorites().DeleteFavorite(Utf8ToSjis(line.operands[0]))) {
        TerminalOutput::Error("kelo-cli: no favourite named " + line.operands[0] + "\n");
        return EXIT_FAILED;
    }
    return Status(true);
}

int KeloCli::ListHistory() {
    History& history = commands_.GetHistory();
    history.LoadHistory();
    for (const HistoryEntry& entry : history.Entries())
        TerminalOutput::Record({entry.title, entry.url});
    return Status(true);
}

int KeloCli::PrintTree() {
    commands_.OnInitialUpdate();
    std::string out;
    commands_.Tree().Walk([&out](const TreeNode& node, int depth) {
        out.append(static_cast<std::size_t>(depth) * 2, ' ');
        out += SjisToUtf8(node.text);
        out += '\n';
    });
    TerminalOutput::Out(out);
    return Status(true);
}

} // namespace kelo::cli
