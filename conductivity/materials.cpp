// The material each mean-conductivity window is for, one row a window.
#include "programs.h"

namespace milfo::conductivity {

const std::vector<MaterialWindow>& materialWindows()
{
    static const std::vector<MaterialWindow> all = {
        // material, its window
        {"ロックウール", pimbrel},
        {"グラスウール", mostrel},
        {"セラミックファイバーブランケット", nethrow},
        {"けい酸カルシウム保温材", dovrin},
        {"はっ水性パーライト保温材", sonderly},
        {"ポリスチレンフォーム", tarvel},
        {"硬質ウレタンフォーム", halcott},
        {"ポリエチレンフォーム", fennick},
        {"フェノールフォーム", castrel},
    };
    return all;
}

}  // namespace milfo::conductivity
