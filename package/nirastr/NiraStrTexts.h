// The texts of the string-resource library nirastr, one list per user-interface language:
// X(string id, "text"). The resource script (nirastr.rc) and the simulated machine's resource
// table (sim/) are both made from these lists.
#pragma once

#define NIRASTR_TEXTS_ENGLISH(X)                                                                         \
    X(876, "Delete Custom Size")                                                                         \
    X(877, "Do you want to delete the selected item?")                                                   \
    X(1018, "Custom")                                                                                    \
    X(3044, "Installed:")                                                                                \
    X(3045, "Default configuration")                                                                     \
    X(3051, "Configured by the printer")                                                                 \
    X(3333, "inches")                                                                                    \
    X(3334, "mm")                                                                                        \
    X(3772, "An ink cartridge is empty.")                                                                \
    X(3774, "An ink cartridge is low.")                                                                  \
    X(4255, "Printing Shortcuts")                                                                        \
    X(4339, "Print Preview")                                                                             \
    X(5336, "A printing shortcut with this name already exists. Do you want to replace it?")             \
    X(5337, "This name belongs to a predefined printing shortcut. Please choose another name.")          \
    X(5414, "The maximum number of printing shortcuts has been reached.")                                \
    X(5418, "Papers added by the user")                                                                  \
    X(5634, "Add new paper...")                                                                          \
    X(6702, "Advanced Options")                                                                          \
    X(6918, "Custom Forms")

#define NIRASTR_TEXTS_GERMAN(X)                                                                          \
    X(876, "Benutzerdefiniertes Format löschen")                                                         \
    X(877, "Möchten Sie das ausgewählte Element löschen?")                                               \
    X(1018, "Benutzerdefiniert")                                                                         \
    X(3044, "Installiert:")                                                                              \
    X(3045, "Standardkonfiguration")                                                                     \
    X(3051, "Vom Drucker konfiguriert")                                                                  \
    X(3333, "Zoll")                                                                                      \
    X(3334, "mm")                                                                                        \
    X(3772, "Eine Tintenpatrone ist leer.")                                                              \
    X(3774, "Der Tintenstand einer Patrone ist niedrig.")                                                \
    X(4255, "Druckverknüpfungen")                                                                        \
    X(4339, "Druckvorschau")                                                                             \
    X(5336, "Eine Druckverknüpfung mit diesem Namen ist bereits vorhanden. Möchten Sie sie ersetzen?")   \
    X(5337, "Dieser Name gehört zu einer vordefinierten Druckverknüpfung. Bitte wählen Sie einen anderen Namen.") \
    X(5414, "Die höchste Anzahl an Druckverknüpfungen ist erreicht.")                                    \
    X(5418, "Vom Benutzer hinzugefügte Papiere")                                                         \
    X(5634, "Neues Papier hinzufügen...")                                                                \
    X(6702, "Erweiterte Optionen")                                                                       \
    X(6918, "Benutzerdefinierte Formulare")

#define NIRASTR_TEXTS_JAPANESE(X)                                                                        \
    X(876, "ユーザー定義サイズの削除")                                                                   \
    X(877, "選択した項目を削除しますか?")                                                                \
    X(1018, "ユーザー定義")                                                                              \
    X(3044, "インストール日:")                                                                           \
    X(3045, "既定の構成")                                                                                \
    X(3051, "プリンターによる構成")                                                                      \
    X(3333, "インチ")                                                                                    \
    X(3334, "mm")                                                                                        \
    X(3772, "インク カートリッジが空です。")                                                             \
    X(3774, "インク残量が少なくなっています。")                                                          \
    X(4255, "印刷ショートカット")                                                                        \
    X(4339, "印刷プレビュー")                                                                            \
    X(5336, "この名前の印刷ショートカットは既に存在します。置き換えますか?")                             \
    X(5337, "この名前は定義済みの印刷ショートカットで使われています。別の名前を指定してください。")      \
    X(5414, "印刷ショートカットの数が上限に達しました。")                                                \
    X(5418, "ユーザーが追加した用紙")                                                                    \
    X(5634, "新しい用紙の追加...")                                                                       \
    X(6702, "詳細オプション")                                                                            \
    X(6918, "ユーザー定義用紙")

// String ids the host program and tests name.
#define NIRASTR_ID_PRINT_PREVIEW 4339
