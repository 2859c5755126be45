#pragma once
// The user interface the listing tests run the loaders against: a result list
// in memory, a progress dialog and a pump that record what the loaders did.

#include "PageServer.h"
#include "TestSupport.h"
#include "app/MessagePump.h"
#include "listing/ListingPorts.h"
#include "listing/MemoryResultList.h"
#include "listing/ProgressDialog.h"
#include "net/WorkingFiles.h"

#include <functional>
#include <string>
#include <vector>

namespace kelo::test {

class FakeProgressDialog : public ProgressDialog {
public:
    void Open() override {
        if (!open_)
            cancelled_ = false;
        open_ = true;
        ++opened;
    }
    bool IsOpen() const override { return open_; }
    void SetStatus(std::string_view text) override { statuses.emplace_back(text); }
    void SetTotalItems(int items) override { totalItems = items; }
    void SetTotalPages(int pages) override { totalPages = pages; }
    void StepItem() override {
        ++itemSteps;
        if (cancelAfterItems > 0 && itemSteps >= cancelAfterItems)
            cancelled_ = true;
    }
    void StepPage() override { ++pageSteps; }
    void SetCurrentTitle(std::string_view title) override { titles.emplace_back(title); }
    void Close() override {
        open_ = false;
        ++closed;
    }
    bool CancelRequested() const override { return cancelled_; }
    void PressCancel() { cancelled_ = true; }

    int opened = 0;
    int closed = 0;
    std::vector<std::string> statuses;
    int totalItems = -1;
    int totalPages = -1;
    int itemSteps = 0;
    int pageSteps = 0;
    std::vector<std::string> titles;
    int cancelAfterItems = 0; // presses Cancel once this many rows were handled

private:
    bool open_ = false;
    bool cancelled_ = false;
};

class FakePump : public MessagePump {
public:
    void PumpOneMessage() override {
        ++calls;
        if (onCall)
            onCall(calls);
    }
    int calls = 0;
    std::function<void(int)> onCall; // a command the user gives in the middle
};

// A working folder, profile, message box, loopback site and the three ports,
// for the time of one test.
class ListingHarness {
public:
    ListingHarness() : fetch_(server), working_(work.path()) {
        SetProgramPathForTests(work / "kelo");
    }
    ~ListingHarness() { SetProgramPathForTests(""); }

    ListingPorts ports() { return {list, progress, pump}; }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const ListingRow& row : list.Rows())
            titles.push_back(row.title);
        return titles;
    }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : messages.shown)
            texts.push_back(shown.text);
        return texts;
    }

    TempDir work;
    PageServer server;
    ScopedProfile profile;
    RecordingMessageBox messages;
    MemoryResultList list;
    FakeProgressDialog progress;
    FakePump pump;

private:
    ScopedFetchToServer fetch_;
    ScopedWorkingFolder working_;
};

} // namespace kelo::test
