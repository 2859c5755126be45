#pragma once
// What a loader reaches the user interface through: the result list, the
// progress dialog and the message pump of the front end that runs it.

#include "app/MessagePump.h"
#include "listing/ProgressDialog.h"
#include "listing/ResultList.h"

namespace kelo {

struct ListingPorts {
    ResultList& list;
    ProgressDialog& progress;
    MessagePump& pump;
};

} // namespace kelo
