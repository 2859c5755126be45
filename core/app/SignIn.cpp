#include "app/SignIn.h"

#include "app/MessageBox.h"
#include "app/NetworkOperation.h"
#include "net/JString.h"
#include "net/PageFetch.h"
#include "net/SiteRequests.h"

#include <string>

namespace kelo {
namespace {

constexpr const char* SIGNIN_OBJECT = "/jp/signin/auth";

} // namespace

bool SignIn(std::string_view user, std::string_view password) {
    NetworkOperation operation;
    if (!operation.Started())
        return false;
    // The form's fields as a browser sends them from the site's EUC-JP page.
    std::string object = SIGNIN_OBJECT;
    object += "?login=" + EncodeKeyword(user) + "&passwd=" + EncodeKeyword(password);
    std::string page;
    if (!FetchPage(PRIMARY_SIGNIN_HOST, object, page)) {
        ShowMessageBox("ﾛｸﾞｲﾝﾍﾟｰｼﾞの取得に失敗しました", MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    // A refused sign-in answers with the sign-in form again.
    if (page.empty() || page.find(SIGNIN_OBJECT) != std::string::npos) {
        ShowMessageBox("ﾛｸﾞｲﾝに失敗しました。IDとﾊﾟｽﾜｰﾄﾞを確認して下さい。", MessageIcon::Exclamation,
                       MessageButtons::Ok);
        return false;
    }
    return true;
}

} // namespace kelo
