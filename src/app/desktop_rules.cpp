// What every desktop program shows alike: the title, the boxes' texts and the close policy.
#include "app/desktop_rules.h"

namespace vorna {

const char* const kGameTitle = "VORNA-TESSIK Improve";
const char* const kWindowClassName = "VORNA-TESSIK-IMPROVE";
const char* const kInitFailedText = "初期化に失敗しました。\n再起動が必要になる場合があります。\n\n"
                                    "詳しくは取り扱い説明書を参照して下さい。\n(同ホルダ内のreadme.txt及びreadme.htm)";
const char* const kColourQuestionText =
    "ウィンドウモードで使用するには、256色モードに設定する必要があります。\n\n"
    "詳しくは取り扱い説明書を参照して下さい。(同ホルダ内のreadme.txt及びindex.htm)\n\n"
    "フルスクリーンモードに変更し継続しますか？";
const char* const kQuitQuestionText = "ユーザーの終了要求を受けました。\n\n終了してよろしいですか？";
const char* const kYesButtonText = "はい";
const char* const kNoButtonText = "いいえ";
const char* const kOkButtonText = "OK";

bool ConfirmClose(const Game& g, Shell* shell) {
    if (g.display.FullScreenMode != 0 || shell == nullptr) return true;
    return shell->MessageBox(kQuitQuestionText, kGameTitle, MB_YESNO_STYLE | MB_ICONQUESTION_STYLE) == IDYES_ANSWER;
}

void ReportWindowCreationFailed(Shell* shell) {
    if (shell != nullptr) shell->MessageBox(kInitFailedText, kGameTitle, MB_ICONERROR_STYLE);
}

} // namespace vorna
