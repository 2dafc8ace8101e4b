// The material each mean-conductivity window is for, one row a window.
#include "conductivity.h"

namespace milfo::conductivity {

const std::vector<MaterialWindow>& materialWindows()
{
    static const std::vector<MaterialWindow> all = {
        // material, its window, its range
        {"ロックウール", pimbrel, pimbrelRange},
        {"グラスウール", mostrel, mostrelRange},
        {"セラミックファイバーブランケット", nethrow, nethrowRange},
        {"けい酸カルシウム保温材", dovrin, dovrinRange},
        {"はっ水性パーライト保温材", sonderly, sonderlyRange},
        {"ポリスチレンフォーム", tarvel, tarvelRange},
        {"硬質ウレタンフォーム", halcott, halcottRange},
        {"ポリエチレンフォーム", fennick, fennickRange},
        {"フェノールフォーム", castrel, castrelRange},
        {"係数で指定", coefficientLaw, coefficientLawRange, true},
    };
    return all;
}

}  // namespace milfo::conductivity
