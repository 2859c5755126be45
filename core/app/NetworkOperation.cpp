#include "app/NetworkOperation.h"

#include "app/MessageBox.h"

namespace kelo {
namespace {
bool gRunning = false;
}

NetworkOperation::NetworkOperation() : started_(!gRunning) {
    if (started_)
        gRunning = true;
    else
        ShowMessageBox("通信中です。実行中の処理が終わってから操作して下さい。", MessageIcon::Exclamation,
                       MessageButtons::Ok);
}

NetworkOperation::~NetworkOperation() {
    if (started_)
        gRunning = false;
}

bool NetworkOperation::Busy() { return gRunning; }

} // namespace kelo
