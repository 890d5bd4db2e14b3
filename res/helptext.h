#pragma once

namespace res {

/// What the robot, the PC and the network need before the panel can
/// connect, and what to check when it cannot. Lines end in CR LF; the last
/// has no line end.
inline constexpr const char *kHelpText =
    "・本プログラムはソニー製アイボ(ERS-7)専用の無線操縦ツールです。\r\n"
    "・AIBO Remote Framework(正式版)を利用するため、AIBOマインド2が\r\n"
    "　が必須です。\r\n"
    "・AIBO Remote Framework は、WindowsXP/2000のみに対応しているようです。\r\n"
    "　（本プログラムはWindowsXPのみで動作確認しています。）\r\n"
    "・お持ちのアイボ(ERS-7)とPCが無線LANで接続できる環境が必要です。\r\n"
    "・プログラミングメモリースティックはAIBOマインド2でなければなりません。\r\n"
    "  /OPEN-R/SYSTEM/CONF/WLANCONF.TXT\r\n"
    "  にネットワーク情報を設定してください。\r\n"
    "・VAIBOServerがPCにインストールされている必要があります。本プログラムは\r\n"
    "　VAIBOServerの仲介でアイボとやり取りします。（なおVAIBOServerは、\r\n"
    "　本プログラムを起動すると裏で自動的に起動されます。）\r\n"
    "・本プログラムをインストールしたPCの同一フォルダ（ディレクトリ）に、\r\n"
    "　AIBO Remote Frameworkのダイナミックリンクライブラリを置いてください。\r\n"
    "・設定後アイボに接続できない場合は、まずアイボのIPアドレスにpingして\r\n"
    "　通るか確認してください。pingが通らない場合は、無線LANアクセスポイント\r\n"
    "　にMACアドレスによるアクセス制限が掛かっていることが考えられます。\r\n"
    "　アクセスポイントの設定を確認してください。\r\n"
    "　アイボのMACアドレスはお腹のフタを開けたところに書いてあります。\r\n"
    "・本プログラムは無保証です。ご利用によって生じたいかなる損害についても、\r\n"
    "　作者は責任を負いかねます。自己責任でお使いください。";

} // namespace res
