// The texts of the string-resource library nirastr, one list per user-interface language:
// X(string id, "text"). The resource script (nirastr.rc) and the simulated machine's resource
// table (sim/) are both made from these lists. Every id is in every language: a user whose
// language the library has finds only the texts of that language.
// Ids below 10000 are fixed by the driver's code; 14000 + feature id are feature names, 15000 +
// window id window titles, 16000 + id user-interface elements (as the sample databases use them).
#pragma once

#define NIRASTR_TEXTS_ENGLISH(X)                                                                           \
    X(797, "&Help")                                                                                        \
    X(844, "User Name:")                                                                                   \
    X(845, "Job Name:")                                                                                    \
    X(849, "&OK")                                                                                          \
    X(850, "&Cancel")                                                                                      \
    X(876, "Delete Custom Size")                                                                           \
    X(877, "Do you want to delete the selected item?")                                                     \
    X(1018, "Custom")                                                                                      \
    X(3044, "Installed:")                                                                                  \
    X(3045, "Default configuration")                                                                       \
    X(3051, "Configured by the printer")                                                                   \
    X(3062, "This print Job will be stored at:")                                                           \
    X(3063, "In the future, do not show this information.")                                                \
    X(3064, "Job Storage Identification")                                                                  \
    X(3066, "Press the Go or Select button to continue printing.")                                         \
    X(3084, "1.")                                                                                          \
    X(3085, "2.")                                                                                          \
    X(3086, "3.")                                                                                          \
    X(3140, "Insert the stack into the IN tray with the top of the pages toward the device, as shown.")    \
    X(3141, "Remove the printed stack from the output tray without changing its orientation.")             \
    X(3142, "C&ontinue")                                                                                   \
    X(3143, "Turn the stack over and put it back into the input tray.")                                    \
    X(3144, "Print on Both Sides Instructions")                                                            \
    X(3150, "Printing Notice")                                                                             \
    X(3151, "&Print Anyway")                                                                               \
    X(3314,                                                                                                \
      "The odd-numbered pages of your document are printing.  Remove the printed pages from the OUT tray " \
      "when printing is complete.  Follow the instructions below to print the second side of your pages.") \
    X(3333, "inches")                                                                                      \
    X(3334, "mm")                                                                                          \
    X(3772, "An ink cartridge is empty.")                                                                  \
    X(3774, "An ink cartridge is low.")                                                                    \
    X(4255, "Printing Shortcuts")                                                                          \
    X(4339, "Print Preview")                                                                               \
    X(5022,                                                                                                \
      "After the even-numbered pages have printed, a message will appear on the printer's display "        \
      "instructing you where to load the paper.  Follow the instructions below to print the odd-numbered " \
      "pages (second sides).")                                                                             \
    X(5336, "A printing shortcut with this name already exists. Do you want to replace it?")               \
    X(5337, "This name belongs to a predefined printing shortcut. Please choose another name.")            \
    X(5414, "The maximum number of printing shortcuts has been reached.")                                  \
    X(5418, "Papers added by the user")                                                                    \
    X(5634, "Add new paper...")                                                                            \
    X(6702, "Advanced Options")                                                                            \
    X(6918, "Custom Forms")                                                                                \
    X(14114, "Paper size")                                                                                 \
    X(14115, "Print quality")                                                                              \
    X(14116, "Paper type")                                                                                 \
    X(14117, "Paper source")                                                                               \
    X(14118, "Orientation")                                                                                \
    X(14119, "Borderless printing")                                                                        \
    X(14120, "Resize to fit")                                                                              \
    X(14121, "Print document on")                                                                          \
    X(14122, "Photo enhancement")                                                                          \
    X(14123, "Resolution")                                                                                 \
    X(14125, "Print on both sides")                                                                        \
    X(14126, "Flip pages")                                                                                 \
    X(14127, "Preserve layout")                                                                            \
    X(14128, "Pages per sheet")                                                                            \
    X(14129, "Page order")                                                                                 \
    X(14130, "Booklet layout")                                                                             \
    X(14132, "Roll paper cut")                                                                             \
    X(14133, "Save roll paper")                                                                            \
    X(14135, "Rotate by 90 degrees")                                                                       \
    X(14136, "Print in grayscale")                                                                         \
    X(14137, "Grayscale options")                                                                          \
    X(14138, "Input color space")                                                                          \
    X(14139, "Rendering intent")                                                                           \
    X(14141, "Color management")                                                                           \
    X(14143, "Printing shortcuts")                                                                         \
    X(14145, "Show print preview")                                                                         \
    X(14166, "Picture")                                                                                    \
    X(14167, "Brightness")                                                                                 \
    X(14168, "Contrast")                                                                                   \
    X(14169, "Saturation")                                                                                 \
    X(14170, "Cyan")                                                                                       \
    X(14171, "Magenta")                                                                                    \
    X(14172, "Yellow")                                                                                     \
    X(14215, "Pop-up messages")                                                                            \
    X(14218, "Mirror image")                                                                               \
    X(14219, "Poster printing")                                                                            \
    X(14221, "Two-sided printing unit")                                                                    \
    X(14222, "Print all text as black")                                                                    \
    X(14226, "Reverse page order")                                                                         \
    X(14227, "Color profile")                                                                              \
    X(14231, "Support information")                                                                        \
    X(14233, "Paper list")                                                                                 \
    X(14234, "Custom paper size")                                                                          \
    X(14235, "Copies")                                                                                     \
    X(14236, "Collate")                                                                                    \
    X(14237, "Application profile")                                                                        \
    X(14243, "Poster tiles")                                                                               \
    X(14258, "Paper dimensions")                                                                           \
    X(14259, "Delete")                                                                                     \
    X(14260, "Printer status")                                                                             \
    X(14261, "Added papers")                                                                               \
    X(14262, "Calibrate")                                                                                  \
    X(14298, "Maximum dpi")                                                                                \
    X(14302, "Ink volume")                                                                                 \
    X(14305, "Tray 2")                                                                                     \
    X(14307, "Base media")                                                                                 \
    X(15216, "Feature unavailable")                                                                        \
    X(15218, "This setting cannot be combined with the current settings.")                                 \
    X(15219, "OK")                                                                                         \
    X(15301, "Printing Shortcuts")                                                                         \
    X(15302, "Paper/Quality")                                                                              \
    X(15303, "Finishing")                                                                                  \
    X(15304, "Color")                                                                                      \
    X(15305, "Advanced")                                                                                   \
    X(15306, "Services")                                                                                   \
    X(15401, "Tree View")                                                                                  \
    X(15501, "Device Settings")                                                                            \
    X(15601, "Device Tree View")                                                                           \
    X(15998, "First packed setting")                                                                       \
    X(15999, "Last packed setting")                                                                        \
    X(16001, "Preview")                                                                                    \
    X(16002, "Restore defaults")                                                                           \
    X(16003, "Custom...")                                                                                  \
    X(16004, "Help")                                                                                       \
    X(16418, "Paper choice")                                                                               \
    X(16419, "Media choice")                                                                               \
    X(16531, "These settings cannot be used together:")                                                    \
    X(16532, "The previous settings are restored.")

#define NIRASTR_TEXTS_GERMAN(X)                                                                              \
    X(797, "&Hilfe")                                                                                         \
    X(844, "Benutzername:")                                                                                  \
    X(845, "Auftragsname:")                                                                                  \
    X(849, "&OK")                                                                                            \
    X(850, "&Abbrechen")                                                                                     \
    X(876, "Benutzerdefiniertes Format löschen")                                                             \
    X(877, "Möchten Sie das ausgewählte Element löschen?")                                                   \
    X(1018, "Benutzerdefiniert")                                                                             \
    X(3044, "Installiert:")                                                                                  \
    X(3045, "Standardkonfiguration")                                                                         \
    X(3051, "Vom Drucker konfiguriert")                                                                      \
    X(3062, "Dieser Druckauftrag wird gespeichert unter:")                                                   \
    X(3063, "Diese Information künftig nicht mehr anzeigen.")                                                \
    X(3064, "Kennung des gespeicherten Auftrags")                                                            \
    X(3066, "Drücken Sie die Taste Start oder Auswahl, um den Druck fortzusetzen.")                          \
    X(3084, "1.")                                                                                            \
    X(3085, "2.")                                                                                            \
    X(3086, "3.")                                                                                            \
    X(3140,                                                                                                  \
      "Legen Sie den Stapel mit der Oberkante der Seiten zum Gerät hin in das Eingabefach, wie abgebildet.") \
    X(3141, "Nehmen Sie den bedruckten Stapel aus dem Ausgabefach, ohne seine Ausrichtung zu ändern.")       \
    X(3142, "&Weiter")                                                                                       \
    X(3143, "Wenden Sie den Stapel und legen Sie ihn wieder in das Eingabefach.")                            \
    X(3144, "Anleitung zum beidseitigen Drucken")                                                            \
    X(3150, "Druckhinweis")                                                                                  \
    X(3151, "&Trotzdem drucken")                                                                             \
    X(3314,                                                                                                  \
      "Die ungeraden Seiten Ihres Dokuments werden gedruckt.  Nehmen Sie die Seiten nach dem Druck aus dem " \
      "Ausgabefach.  Folgen Sie den Schritten unten, um die zweite Seite zu drucken.")                       \
    X(3333, "Zoll")                                                                                          \
    X(3334, "mm")                                                                                            \
    X(3772, "Eine Tintenpatrone ist leer.")                                                                  \
    X(3774, "Der Tintenstand einer Patrone ist niedrig.")                                                    \
    X(4255, "Druckverknüpfungen")                                                                            \
    X(4339, "Druckvorschau")                                                                                 \
    X(5022,                                                                                                  \
      "Nach dem Druck der geraden Seiten zeigt das Display des Druckers an, wo das Papier einzulegen ist.  " \
      "Folgen Sie den Schritten unten, um die ungeraden Seiten (Rückseiten) zu drucken.")                    \
    X(5336, "Eine Druckverknüpfung mit diesem Namen ist bereits vorhanden. Möchten Sie sie ersetzen?")       \
    X(5337,                                                                                                  \
      "Dieser Name gehört zu einer vordefinierten Druckverknüpfung. Bitte wählen Sie einen anderen Namen.")  \
    X(5414, "Die höchste Anzahl an Druckverknüpfungen ist erreicht.")                                        \
    X(5418, "Vom Benutzer hinzugefügte Papiere")                                                             \
    X(5634, "Neues Papier hinzufügen...")                                                                    \
    X(6702, "Erweiterte Optionen")                                                                           \
    X(6918, "Benutzerdefinierte Formulare")                                                                  \
    X(14114, "Papierformat")                                                                                 \
    X(14115, "Druckqualität")                                                                                \
    X(14116, "Papiersorte")                                                                                  \
    X(14117, "Papierzufuhr")                                                                                 \
    X(14118, "Ausrichtung")                                                                                  \
    X(14119, "Randloser Druck")                                                                              \
    X(14120, "An Seitengröße anpassen")                                                                      \
    X(14121, "Dokument drucken auf")                                                                         \
    X(14122, "Fotooptimierung")                                                                              \
    X(14123, "Auflösung")                                                                                    \
    X(14125, "Beidseitiger Druck")                                                                           \
    X(14126, "Seiten wenden")                                                                                \
    X(14127, "Layout beibehalten")                                                                           \
    X(14128, "Seiten pro Blatt")                                                                             \
    X(14129, "Seitenreihenfolge")                                                                            \
    X(14130, "Broschürenlayout")                                                                             \
    X(14132, "Rollenpapier abschneiden")                                                                     \
    X(14133, "Rollenpapier sparen")                                                                          \
    X(14135, "Um 90 Grad drehen")                                                                            \
    X(14136, "In Graustufen drucken")                                                                        \
    X(14137, "Graustufenoptionen")                                                                           \
    X(14138, "Eingabefarbraum")                                                                              \
    X(14139, "Farbwiedergabe")                                                                               \
    X(14141, "Farbverwaltung")                                                                               \
    X(14143, "Druckverknüpfungen")                                                                           \
    X(14145, "Druckvorschau anzeigen")                                                                       \
    X(14166, "Bild")                                                                                         \
    X(14167, "Helligkeit")                                                                                   \
    X(14168, "Kontrast")                                                                                     \
    X(14169, "Sättigung")                                                                                    \
    X(14170, "Cyan")                                                                                         \
    X(14171, "Magenta")                                                                                      \
    X(14172, "Gelb")                                                                                         \
    X(14215, "Popup-Meldungen")                                                                              \
    X(14218, "Spiegelbild")                                                                                  \
    X(14219, "Posterdruck")                                                                                  \
    X(14221, "Duplexeinheit")                                                                                \
    X(14222, "Gesamten Text schwarz drucken")                                                                \
    X(14226, "Umgekehrte Seitenreihenfolge")                                                                 \
    X(14227, "Farbprofil")                                                                                   \
    X(14231, "Supportinformationen")                                                                         \
    X(14233, "Papierliste")                                                                                  \
    X(14234, "Benutzerdefiniertes Papierformat")                                                             \
    X(14235, "Exemplare")                                                                                    \
    X(14236, "Sortieren")                                                                                    \
    X(14237, "Anwendungsprofil")                                                                             \
    X(14243, "Posterteile")                                                                                  \
    X(14258, "Papierabmessungen")                                                                            \
    X(14259, "Löschen")                                                                                      \
    X(14260, "Druckerstatus")                                                                                \
    X(14261, "Hinzugefügte Papiere")                                                                         \
    X(14262, "Kalibrieren")                                                                                  \
    X(14298, "Maximale dpi")                                                                                 \
    X(14302, "Tintenmenge")                                                                                  \
    X(14305, "Fach 2")                                                                                       \
    X(14307, "Grundmedium")                                                                                  \
    X(15216, "Funktion nicht verfügbar")                                                                     \
    X(15218, "Diese Einstellung ist mit den aktuellen Einstellungen nicht kombinierbar.")                    \
    X(15219, "OK")                                                                                           \
    X(15301, "Druckverknüpfungen")                                                                           \
    X(15302, "Papier/Qualität")                                                                              \
    X(15303, "Fertigstellung")                                                                               \
    X(15304, "Farbe")                                                                                        \
    X(15305, "Erweitert")                                                                                    \
    X(15306, "Dienste")                                                                                      \
    X(15401, "Strukturansicht")                                                                              \
    X(15501, "Geräteeinstellungen")                                                                          \
    X(15601, "Gerätestrukturansicht")                                                                        \
    X(15998, "Erste gepackte Einstellung")                                                                   \
    X(15999, "Letzte gepackte Einstellung")                                                                  \
    X(16001, "Vorschau")                                                                                     \
    X(16002, "Standardwerte wiederherstellen")                                                               \
    X(16003, "Benutzerdefiniert...")                                                                         \
    X(16004, "Hilfe")                                                                                        \
    X(16418, "Papierauswahl")                                                                                \
    X(16419, "Medienauswahl")                                                                                \
    X(16531, "Diese Einstellungen passen nicht zusammen:")                                                   \
    X(16532, "Die vorherigen Einstellungen werden wiederhergestellt.")

#define NIRASTR_TEXTS_JAPANESE(X)                                                                                                                              \
    X(797, "ヘルプ(&H)")                                                                                                                                       \
    X(844, "ユーザー名:")                                                                                                                                      \
    X(845, "ジョブ名:")                                                                                                                                        \
    X(849, "OK(&O)")                                                                                                                                           \
    X(850, "キャンセル(&C)")                                                                                                                                   \
    X(876, "ユーザー定義サイズの削除")                                                                                                                         \
    X(877, "選択した項目を削除しますか?")                                                                                                                      \
    X(1018, "ユーザー定義")                                                                                                                                    \
    X(3044, "インストール日:")                                                                                                                                 \
    X(3045, "既定の構成")                                                                                                                                      \
    X(3051, "プリンターによる構成")                                                                                                                            \
    X(3062, "この印刷ジョブの保存先:")                                                                                                                         \
    X(3063, "今後、この情報を表示しない。")                                                                                                                    \
    X(3064, "ジョブ保存の識別情報")                                                                                                                            \
    X(3066, "印刷を続けるには、実行または選択ボタンを押してください。")                                                                                        \
    X(3084, "1.")                                                                                                                                              \
    X(3085, "2.")                                                                                                                                              \
    X(3086, "3.")                                                                                                                                              \
    X(3140, "図のように、ページの上端を本体側に向けて用紙の束を給紙トレイに入れてください。")                                                                  \
    X(3141, "向きを変えずに、印刷された用紙の束を排紙トレイから取り出してください。")                                                                          \
    X(3142, "続行(&O)")                                                                                                                                        \
    X(3143, "用紙の束を裏返して給紙トレイに戻してください。")                                                                                                  \
    X(3144, "両面印刷の手順")                                                                                                                                  \
    X(3150, "印刷のお知らせ")                                                                                                                                  \
    X(3151, "このまま印刷(&P)")                                                                                                                                \
    X(3314,                                                                                                                                                    \
      "文書の奇数ページを印刷しています。印刷が終わったら、排紙トレイから用紙を取り出してください。次の手順" \
      "に従って裏面を印刷してください。")                                                                                                                      \
    X(3333, "インチ")                                                                                                                                          \
    X(3334, "mm")                                                                                                                                              \
    X(3772, "インク カートリッジが空です。")                                                                                                                   \
    X(3774, "インク残量が少なくなっています。")                                                                                                                \
    X(4255, "印刷ショートカット")                                                                                                                              \
    X(4339, "印刷プレビュー")                                                                                                                                  \
    X(5022,                                                                                                                                                    \
      "偶数ページの印刷後、用紙のセット方法がプリンタの画面に表示されます。次の手順に従って奇数ページ(裏面)"  \
      "を印刷してください。")                                                                                                                                  \
    X(5336, "この名前の印刷ショートカットは既に存在します。置き換えますか?")                                                                                   \
    X(5337, "この名前は定義済みの印刷ショートカットで使われています。別の名前を指定してください。")                                                            \
    X(5414, "印刷ショートカットの数が上限に達しました。")                                                                                                      \
    X(5418, "ユーザーが追加した用紙")                                                                                                                          \
    X(5634, "新しい用紙の追加...")                                                                                                                             \
    X(6702, "詳細オプション")                                                                                                                                  \
    X(6918, "ユーザー定義用紙")                                                                                                                                \
    X(14114, "用紙サイズ")                                                                                                                                     \
    X(14115, "印刷品質")                                                                                                                                       \
    X(14116, "用紙の種類")                                                                                                                                     \
    X(14117, "給紙方法")                                                                                                                                       \
    X(14118, "印刷の向き")                                                                                                                                     \
    X(14119, "フチなし印刷")                                                                                                                                   \
    X(14120, "用紙に合わせて拡大縮小")                                                                                                                         \
    X(14121, "印刷する用紙")                                                                                                                                   \
    X(14122, "写真補正")                                                                                                                                       \
    X(14123, "解像度")                                                                                                                                         \
    X(14125, "両面印刷")                                                                                                                                       \
    X(14126, "とじ方")                                                                                                                                         \
    X(14127, "レイアウトを保持")                                                                                                                               \
    X(14128, "1 枚あたりのページ数")                                                                                                                           \
    X(14129, "ページの順序")                                                                                                                                   \
    X(14130, "小冊子レイアウト")                                                                                                                               \
    X(14132, "ロール紙のカット")                                                                                                                               \
    X(14133, "ロール紙の節約")                                                                                                                                 \
    X(14135, "90 度回転")                                                                                                                                      \
    X(14136, "グレースケールで印刷")                                                                                                                           \
    X(14137, "グレースケールのオプション")                                                                                                                     \
    X(14138, "入力色空間")                                                                                                                                     \
    X(14139, "レンダリング インテント")                                                                                                                        \
    X(14141, "カラー管理")                                                                                                                                     \
    X(14143, "印刷ショートカット")                                                                                                                             \
    X(14145, "印刷プレビューを表示")                                                                                                                           \
    X(14166, "画像")                                                                                                                                           \
    X(14167, "明るさ")                                                                                                                                         \
    X(14168, "コントラスト")                                                                                                                                   \
    X(14169, "彩度")                                                                                                                                           \
    X(14170, "シアン")                                                                                                                                         \
    X(14171, "マゼンタ")                                                                                                                                       \
    X(14172, "イエロー")                                                                                                                                       \
    X(14215, "ポップアップ メッセージ")                                                                                                                        \
    X(14218, "左右反転")                                                                                                                                       \
    X(14219, "ポスター印刷")                                                                                                                                   \
    X(14221, "両面印刷ユニット")                                                                                                                               \
    X(14222, "すべての文字を黒で印刷")                                                                                                                         \
    X(14226, "逆順で印刷")                                                                                                                                     \
    X(14227, "カラー プロファイル")                                                                                                                            \
    X(14231, "サポート情報")                                                                                                                                   \
    X(14233, "用紙一覧")                                                                                                                                       \
    X(14234, "ユーザー定義の用紙サイズ")                                                                                                                       \
    X(14235, "部数")                                                                                                                                           \
    X(14236, "部単位で印刷")                                                                                                                                   \
    X(14237, "アプリケーション プロファイル")                                                                                                                  \
    X(14243, "ポスターのタイル")                                                                                                                               \
    X(14258, "用紙の寸法")                                                                                                                                     \
    X(14259, "削除")                                                                                                                                           \
    X(14260, "プリンターの状態")                                                                                                                               \
    X(14261, "追加された用紙")                                                                                                                                 \
    X(14262, "キャリブレーション")                                                                                                                             \
    X(14298, "最大 dpi")                                                                                                                                       \
    X(14302, "インク量")                                                                                                                                       \
    X(14305, "トレイ 2")                                                                                                                                       \
    X(14307, "基本用紙")                                                                                                                                       \
    X(15216, "機能は使用できません")                                                                                                                           \
    X(15218, "この設定は現在の設定と組み合わせることができません。")                                                                                           \
    X(15219, "OK")                                                                                                                                             \
    X(15301, "印刷ショートカット")                                                                                                                             \
    X(15302, "用紙/品質")                                                                                                                                      \
    X(15303, "仕上げ")                                                                                                                                         \
    X(15304, "カラー")                                                                                                                                         \
    X(15305, "詳細設定")                                                                                                                                       \
    X(15306, "サービス")                                                                                                                                       \
    X(15401, "ツリー表示")                                                                                                                                     \
    X(15501, "デバイスの設定")                                                                                                                                 \
    X(15601, "デバイスのツリー表示")                                                                                                                           \
    X(15998, "最初の保存設定")                                                                                                                                 \
    X(15999, "最後の保存設定")                                                                                                                                 \
    X(16001, "プレビュー")                                                                                                                                     \
    X(16002, "既定値に戻す")                                                                                                                                   \
    X(16003, "ユーザー定義...")                                                                                                                                \
    X(16004, "ヘルプ")                                                                                                                                         \
    X(16418, "用紙の選択")                                                                                                                                     \
    X(16419, "メディアの選択")                                                                                                                                 \
    X(16531, "次の設定は同時に使用できません:")                                                                                                                \
    X(16532, "以前の設定に戻します。")

#define NIRASTR_TEXTS_HEBREW(X)                                                                                                                                                           \
    X(797, "&עזרה")                                                                                                                                                                       \
    X(844, "שם משתמש:")                                                                                                                                                                   \
    X(845, "שם עבודה:")                                                                                                                                                                   \
    X(849, "&אישור")                                                                                                                                                                      \
    X(850, "&ביטול")                                                                                                                                                                      \
    X(876, "מחיקת גודל מותאם אישית")                                                                                                                                                      \
    X(877, "האם למחוק את הפריט הנבחר?")                                                                                                                                                   \
    X(1018, "מותאם אישית")                                                                                                                                                                \
    X(3044, "הותקן:")                                                                                                                                                                     \
    X(3045, "תצורת ברירת מחדל")                                                                                                                                                           \
    X(3051, "הוגדר על ידי המדפסת")                                                                                                                                                        \
    X(3062, "עבודת הדפסה זו תישמר ב:")                                                                                                                                                    \
    X(3063, "בעתיד, אל תציג מידע זה.")                                                                                                                                                    \
    X(3064, "זיהוי אחסון עבודה")                                                                                                                                                          \
    X(3066, "לחץ על לחצן 'המשך' או 'בחירה' כדי להמשיך בהדפסה.")                                                                                                                           \
    X(3084, "1.")                                                                                                                                                                         \
    X(3085, "2.")                                                                                                                                                                         \
    X(3086, "3.")                                                                                                                                                                         \
    X(3140, "הכנס את הערימה למגש ההזנה כשראש הדפים פונה אל ההתקן, כמוצג.")                                                                                                                \
    X(3141, "הוצא את הערימה המודפסת ממגש הפלט בלי לשנות את כיוונה.")                                                                                                                      \
    X(3142, "&המשך")                                                                                                                                                                      \
    X(3143, "הפוך את הערימה והחזר אותה למגש ההזנה.")                                                                                                                                      \
    X(3144, "הוראות להדפסה דו-צדדית")                                                                                                                                                     \
    X(3150, "הודעת הדפסה")                                                                                                                                                                \
    X(3151, "&הדפס בכל זאת")                                                                                                                                                              \
    X(3314,                                                                                                                                                                               \
      "העמודים האי-זוגיים של המסמך מודפסים.  בסיום ההדפסה הוצא את הדפים ממגש הפלט.  פעל לפי ההוראות שלהלן " \
      "כדי להדפיס את הצד השני.")                                                                                                                                                          \
    X(3333, "אינץ'")                                                                                                                                                                      \
    X(3334, "מ״מ")                                                                                                                                                                        \
    X(3772, "מחסנית דיו ריקה.")                                                                                                                                                           \
    X(3774, "מחסנית דיו עומדת להתרוקן.")                                                                                                                                                  \
    X(4255, "קיצורי הדפסה")                                                                                                                                                               \
    X(4339, "תצוגה מקדימה של הדפסה")                                                                                                                                                      \
    X(5022,                                                                                                                                                                               \
      "לאחר הדפסת העמודים הזוגיים תופיע בתצוגת המדפסת הודעה היכן לטעון את הנייר.  פעל לפי ההוראות שלהלן "  \
      "כדי להדפיס את העמודים האי-זוגיים (הצד השני).")                                                                                                                                     \
    X(5336, "כבר קיים קיצור הדפסה בשם זה. האם להחליף אותו?")                                                                                                                              \
    X(5337, "שם זה שייך לקיצור הדפסה מוגדר מראש. בחר שם אחר.")                                                                                                                            \
    X(5414, "הגעת למספר המרבי של קיצורי הדפסה.")                                                                                                                                          \
    X(5418, "ניירות שנוספו על ידי המשתמש")                                                                                                                                                \
    X(5634, "הוספת נייר חדש...")                                                                                                                                                          \
    X(6702, "אפשרויות מתקדמות")                                                                                                                                                           \
    X(6918, "טפסים מותאמים אישית")                                                                                                                                                        \
    X(14114, "גודל נייר")                                                                                                                                                                 \
    X(14115, "איכות הדפסה")                                                                                                                                                               \
    X(14116, "סוג נייר")                                                                                                                                                                  \
    X(14117, "מקור נייר")                                                                                                                                                                 \
    X(14118, "כיוון")                                                                                                                                                                     \
    X(14119, "הדפסה ללא שוליים")                                                                                                                                                          \
    X(14120, "התאמה לגודל")                                                                                                                                                               \
    X(14121, "הדפסת המסמך על")                                                                                                                                                            \
    X(14122, "שיפור תמונה")                                                                                                                                                               \
    X(14123, "רזולוציה")                                                                                                                                                                  \
    X(14125, "הדפסה דו-צדדית")                                                                                                                                                            \
    X(14126, "היפוך דפים")                                                                                                                                                                \
    X(14127, "שמירה על הפריסה")                                                                                                                                                           \
    X(14128, "עמודים לגיליון")                                                                                                                                                            \
    X(14129, "סדר עמודים")                                                                                                                                                                \
    X(14130, "פריסת חוברת")                                                                                                                                                               \
    X(14132, "חיתוך נייר גליל")                                                                                                                                                           \
    X(14133, "חיסכון בנייר גליל")                                                                                                                                                         \
    X(14135, "סיבוב ב-90 מעלות")                                                                                                                                                          \
    X(14136, "הדפסה בגווני אפור")                                                                                                                                                         \
    X(14137, "אפשרויות גווני אפור")                                                                                                                                                       \
    X(14138, "מרחב צבע קלט")                                                                                                                                                              \
    X(14139, "כוונת עיבוד")                                                                                                                                                               \
    X(14141, "ניהול צבע")                                                                                                                                                                 \
    X(14143, "קיצורי הדפסה")                                                                                                                                                              \
    X(14145, "הצגת תצוגה מקדימה")                                                                                                                                                         \
    X(14166, "תמונה")                                                                                                                                                                     \
    X(14167, "בהירות")                                                                                                                                                                    \
    X(14168, "ניגודיות")                                                                                                                                                                  \
    X(14169, "רוויה")                                                                                                                                                                     \
    X(14170, "ציאן")                                                                                                                                                                      \
    X(14171, "מג'נטה")                                                                                                                                                                    \
    X(14172, "צהוב")                                                                                                                                                                      \
    X(14215, "הודעות מוקפצות")                                                                                                                                                            \
    X(14218, "תמונת ראי")                                                                                                                                                                 \
    X(14219, "הדפסת פוסטר")                                                                                                                                                               \
    X(14221, "יחידת הדפסה דו-צדדית")                                                                                                                                                      \
    X(14222, "הדפסת כל הטקסט בשחור")                                                                                                                                                      \
    X(14226, "סדר עמודים הפוך")                                                                                                                                                           \
    X(14227, "פרופיל צבע")                                                                                                                                                                \
    X(14231, "מידע תמיכה")                                                                                                                                                                \
    X(14233, "רשימת ניירות")                                                                                                                                                              \
    X(14234, "גודל נייר מותאם אישית")                                                                                                                                                     \
    X(14235, "עותקים")                                                                                                                                                                    \
    X(14236, "איסוף")                                                                                                                                                                     \
    X(14237, "פרופיל יישום")                                                                                                                                                              \
    X(14243, "אריחי פוסטר")                                                                                                                                                               \
    X(14258, "מידות הנייר")                                                                                                                                                               \
    X(14259, "מחיקה")                                                                                                                                                                     \
    X(14260, "מצב המדפסת")                                                                                                                                                                \
    X(14261, "ניירות שנוספו")                                                                                                                                                             \
    X(14262, "כיול")                                                                                                                                                                      \
    X(14298, "dpi מרבי")                                                                                                                                                                  \
    X(14302, "כמות דיו")                                                                                                                                                                  \
    X(14305, "מגש 2")                                                                                                                                                                     \
    X(14307, "מדיה בסיסית")                                                                                                                                                               \
    X(15216, "התכונה אינה זמינה")                                                                                                                                                         \
    X(15218, "לא ניתן לשלב הגדרה זו עם ההגדרות הנוכחיות.")                                                                                                                                \
    X(15219, "אישור")                                                                                                                                                                     \
    X(15301, "קיצורי הדפסה")                                                                                                                                                              \
    X(15302, "נייר/איכות")                                                                                                                                                                \
    X(15303, "גימור")                                                                                                                                                                     \
    X(15304, "צבע")                                                                                                                                                                       \
    X(15305, "מתקדם")                                                                                                                                                                     \
    X(15306, "שירותים")                                                                                                                                                                   \
    X(15401, "תצוגת עץ")                                                                                                                                                                  \
    X(15501, "הגדרות ההתקן")                                                                                                                                                              \
    X(15601, "תצוגת עץ של ההתקן")                                                                                                                                                         \
    X(15998, "ההגדרה הארוזה הראשונה")                                                                                                                                                     \
    X(15999, "ההגדרה הארוזה האחרונה")                                                                                                                                                     \
    X(16001, "תצוגה מקדימה")                                                                                                                                                              \
    X(16002, "שחזור ברירות מחדל")                                                                                                                                                         \
    X(16003, "מותאם אישית...")                                                                                                                                                            \
    X(16004, "עזרה")                                                                                                                                                                      \
    X(16418, "בחירת נייר")                                                                                                                                                                \
    X(16419, "בחירת מדיה")                                                                                                                                                                \
    X(16531, "לא ניתן להשתמש בהגדרות אלה יחד:")                                                                                                                                           \
    X(16532, "ההגדרות הקודמות שוחזרו.")

// String ids the host program and tests name.
#define NIRASTR_ID_PRINT_PREVIEW 4339
// Texts the job dialogs' requests name: the warning's caption and buttons, the manual two-sided
// steps (the dialogs' own texts have fixed ids).
#define NIRASTR_ID_OK 849
#define NIRASTR_ID_CANCEL 850
#define NIRASTR_ID_REMOVE_STACK 3141
#define NIRASTR_ID_TURN_STACK 3143
#define NIRASTR_ID_JOINED_LOAD_STACK 3140
#define NIRASTR_ID_PRINTING_NOTICE 3150
#define NIRASTR_ID_PRINT_ANYWAY 3151
