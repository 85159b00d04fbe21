<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
    <context>
        <name>AccessibleName</name>
        <message>
            <source>%1, %2</source>
            <translation>%1, %2</translation>
        </message>
        <message>
            <source>%1, byte %2 of %3</source>
            <translation>%1、%3 バイト中 %2 バイト目</translation>
        </message>
    </context>
    <context>
        <name>CFilterPage</name>
        <message>
            <source>Access Control</source>
            <translation>アクセス制御</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Entry No.</source>
            <translation>エントリ番号</translation>
        </message>
        <message>
            <source>Ether Type</source>
            <translation>Ether タイプ</translation>
        </message>
        <message>
            <source>IP Port Protocol</source>
            <translation>IP ポートプロトコル</translation>
        </message>
        <message>
            <source>IP Port Type</source>
            <translation>IP ポート種別</translation>
        </message>
        <message>
            <source>IP Protocol</source>
            <translation>IP プロトコル</translation>
        </message>
        <message>
            <source>Interface</source>
            <translation>インタフェース</translation>
        </message>
        <message>
            <source>New</source>
            <translation>新規</translation>
        </message>
        <message>
            <source>Open</source>
            <translation>開く</translation>
        </message>
        <message>
            <source>Save</source>
            <translation>保存</translation>
        </message>
        <message>
            <source>Wireless MAC Address 1</source>
            <translation>無線 MAC アドレス 1</translation>
        </message>
        <message>
            <source>Wireless MAC Address 2</source>
            <translation>無線 MAC アドレス 2</translation>
        </message>
    </context>
    <context>
        <name>QMessageBox</name>
        <message>
            <source>The settings file %1 could not be written.</source>
            <translation>設定ファイル %1 に書き込めませんでした。</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
    </context>
    <context>
        <name>cli</name>
        <message>
            <source>  config read --all -o FOLDER          every unit of the node list into its own
                                       %02X%02X%02X.txt, going on past a unit that fails
  config diff A B                      A or B may be a UNIT instead of a file: read live
</source>
            <translation>  config read --all -o FOLDER          ノードリストの全ユニットをそれぞれの
                                       %02X%02X%02X.txt に保存 (失敗したユニットは飛ばして続行)
  config diff A B                      A や B にはファイルの代わりに UNIT も指定可 (その場で読み込み)
</translation>
        </message>
        <message>
            <source>  config read UNIT -o FILE|FOLDER      a folder takes the unit's own %02X%02X%02X.txt;
                                       exit 74, before anything is sent, where no file can go
  config write FILE|FOLDER UNIT [UNIT ...]
  config defaults -o FILE              the defaults, with config.def applied
  config show FILE [--json]            every keyed value as the program holds it
  config diff A B                      the keys whose values differ (exit 1 if any)
  filter read mac|protocol UNIT -o FILE
  filter write mac|protocol FILE UNIT [UNIT ...]
</source>
            <translation>  config read UNIT -o FILE|FOLDER      フォルダーにはユニット自身の %02X%02X%02X.txt を作成;
                                       ファイルを置けないときは何も送信せずに終了状態 74
  config write FILE|FOLDER UNIT [UNIT ...]
  config defaults -o FILE              初期値 (config.def を反映)
  config show FILE [--json]            プログラムが保持するキーごとの値
  config diff A B                      値が異なるキー (あれば終了状態 1)
  filter read mac|protocol UNIT -o FILE
  filter write mac|protocol FILE UNIT [UNIT ...]
</translation>
        </message>
        <message>
            <source>  search [--json]                  find the units on the network and list them
  version [UNIT ...] [--json]      firmware versions (all units when none is named)
  reboot UNIT [UNIT ...]
  password UNIT                    change a unit's password
  clear UNIT MASK                  clear status counters (MASK in hex)
  firmware read UNIT FILE
  firmware write FILE UNIT [UNIT ...] [--verify] [--force]
  loader read UNIT FILE
  loader write FILE UNIT [UNIT ...] [--verify]
  wireless write FILE UNIT [UNIT ...] [--pda-folder DIR] [--image-dump FILE]
                                   the wireless card's firmware from S-records;
                                   each card's PDA block is kept in DIR (./PDA)
</source>
            <translation>  search [--json]                  ネットワーク上のユニットを検索して一覧表示
  version [UNIT ...] [--json]      ファームウェアバージョン (指定がなければ全ユニット)
  reboot UNIT [UNIT ...]
  password UNIT                    ユニットのパスワードを変更
  clear UNIT MASK                  ステータスカウンタをクリア (MASK は 16 進数)
  firmware read UNIT FILE
  firmware write FILE UNIT [UNIT ...] [--verify] [--force]
  loader read UNIT FILE
  loader write FILE UNIT [UNIT ...] [--verify]
  wireless write FILE UNIT [UNIT ...] [--pda-folder DIR] [--image-dump FILE]
                                   S レコードから無線カードのファームウェアを書き込み;
                                   各カードの PDA ブロックは DIR (./PDA) に保存
</translation>
        </message>
        <message>
            <source>  status UNIT [UNIT ...] | --all [--json | --openmetrics [--output FILE]]
         [--watch SECONDS [--count N]]
                                   every status page of each unit, one poll cycle
                                   each, as text, JSON Lines or OpenMetrics; --watch
                                   repeats the round SECONDS (2 to 120) after its end
</source>
            <translation>  status UNIT [UNIT ...] | --all [--json | --openmetrics [--output FILE]]
         [--watch SECONDS [--count N]]
                                   各ユニットの全ステータスページを 1 回ずつ取得し、
                                   テキスト、JSON Lines、OpenMetrics で出力。--watch は
                                   1 巡の終了から SECONDS 秒 (2 から 120) ごとに繰り返す
</translation>
        </message>
        <message>
            <source>"%1" is no known unit, MAC address or IP address</source>
            <translation>"%1" は既知のユニット、MAC アドレス、IP アドレスのいずれでもありません</translation>
        </message>
        <message>
            <source>"%1" is no one unit: every unit would take the command through the group (%2 is the broadcast address); name a unit by its own address</source>
            <translation>"%1" は 1 台のユニットではありません: グループ経由ですべてのユニットがコマンドを受け取ります (%2 はブロードキャストアドレスです)。ユニット自身のアドレスで指定してください</translation>
        </message>
        <message>
            <source>%1 (the settings file %2 could not be written)</source>
            <translation>%1 (設定ファイル %2 に書き込めませんでした)</translation>
        </message>
        <message>
            <source>%1 (the settings file could not be written)</source>
            <translation>%1 (設定ファイルに書き込めませんでした)</translation>
        </message>
        <message>
            <source>%1 cannot be read: %2; the built-in defaults are used</source>
            <translation>%1 を読み込めません: %2。組み込みの初期値を使用します</translation>
        </message>
        <message>
            <source>%1 needs a port number</source>
            <translation>%1 にはポート番号が必要です</translation>
        </message>
        <message>
            <source>%1 needs a value</source>
            <translation>%1 には値が必要です</translation>
        </message>
        <message>
            <source>%1 of the units that answered were not kept: the node list holds at most %2 units</source>
            <translation>応答したユニットのうち %1 台は保存されませんでした: ノードリストに保存できるのは最大 %2 台です</translation>
        </message>
        <message>
            <source>%1 takes a number from %2 to %3</source>
            <translation>%1 には %2 から %3 までの数値を指定してください</translation>
        </message>
        <message>
            <source>%1 units answered</source>
            <translation>%1 台のユニットが応答しました</translation>
        </message>
        <message>
            <source>%1 writes one file per unit: %2 names a folder</source>
            <translation>%1 はユニットごとに 1 つのファイルを書き込みます: %2 にはフォルダーを指定してください</translation>
        </message>
        <message>
            <source>%1: "%2" is not a hexadecimal mask</source>
            <translation>%1: "%2" は 16 進数のマスクではありません</translation>
        </message>
        <message>
            <source>%1: %2 (a folder of that name is in the way)</source>
            <translation>%1: %2 (同じ名前のフォルダーがあります)</translation>
        </message>
        <message>
            <source>%1: %2 (and %3 more problems); nothing imported</source>
            <translation>%1: %2 (ほかに %3 件の問題があります)。何も読み込んでいません</translation>
        </message>
        <message>
            <source>%1: %2 (and 1 more problem); nothing imported</source>
            <translation>%1: %2 (ほかに 1 件の問題があります)。何も読み込んでいません</translation>
        </message>
        <message>
            <source>%1: %2 (its MAC address is not known and it did not tell it, so its card's data would have no file of its own; nothing was written to any unit)</source>
            <translation>%1: %2 (MAC アドレスが不明で、ユニットからも得られないため、カードのデータを保存するファイルを決められません。どのユニットにも書き込んでいません)</translation>
        </message>
        <message>
            <source>%1: %2 (larger than the unit's firmware area of %3 bytes)</source>
            <translation>%1: %2 (ユニットのファームウェア領域 %3 バイトより大きいファイルです)</translation>
        </message>
        <message>
            <source>%1: %2 (larger than the unit's loader area of %3 bytes)</source>
            <translation>%1: %2 (ユニットのローダー領域 %3 バイトより大きいファイルです)</translation>
        </message>
        <message>
            <source>%1: %2 (no wireless card image: no end record, no data, or data outside the card's window)</source>
            <translation>%1: %2 (無線カードのイメージではありません: 終了レコードがないか、データがないか、カードの範囲外のデータがあります)</translation>
        </message>
        <message>
            <source>%1: %2 (not a %3: it has no [%4] section)</source>
            <translation>%1: %2 (%3ではありません: [%4] セクションがありません)</translation>
        </message>
        <message>
            <source>%1: %2 (not a firmware image: its header check fails; %3 writes it anyway)</source>
            <translation>%1: %2 (ファームウェアイメージではありません: ヘッダーの検査に失敗しました。%3 を付けると書き込みます)</translation>
        </message>
        <message>
            <source>%1: %2 (the file cannot be read)</source>
            <translation>%1: %2 (ファイルを読み込めません)</translation>
        </message>
        <message>
            <source>%1: %2 (the file could not be written)</source>
            <translation>%1: %2 (ファイルに書き込めませんでした)</translation>
        </message>
        <message>
            <source>%1: %2 (the file is empty)</source>
            <translation>%1: %2 (ファイルが空です)</translation>
        </message>
        <message>
            <source>%1: %2 (the folder %3 does not exist)</source>
            <translation>%1: %2 (フォルダー %3 がありません)</translation>
        </message>
        <message>
            <source>%1: %2; nothing imported</source>
            <translation>%1: %2。何も読み込んでいません</translation>
        </message>
        <message>
            <source>%1: VERIFY FAILED: the firmware read back differs from %2 at byte %3</source>
            <translation>%1: 照合エラー: 読み戻したファームウェアが %2 と %3 バイト目で異なります</translation>
        </message>
        <message>
            <source>%1: VERIFY FAILED: the loader read back differs from %2 at byte %3</source>
            <translation>%1: 照合エラー: 読み戻したローダーが %2 と %3 バイト目で異なります</translation>
        </message>
        <message>
            <source>%1: cannot read the password file</source>
            <translation>%1: パスワードファイルを読み込めません</translation>
        </message>
        <message>
            <source>%1: done</source>
            <translation>%1: 完了</translation>
        </message>
        <message>
            <source>%1: other users can read this password file (chmod 600 keeps it yours)</source>
            <translation>%1: このパスワードファイルはほかのユーザーも読めます (chmod 600 で自分専用にできます)</translation>
        </message>
        <message>
            <source>%1: unexpected argument</source>
            <translation>%1: 予期しない引数です</translation>
        </message>
        <message>
            <source>%1: unknown column "%2"</source>
            <translation>%1: 不明な列 "%2"</translation>
        </message>
        <message>
            <source>%1: unknown command "%2"</source>
            <translation>%1: 不明なコマンド "%2"</translation>
        </message>
        <message>
            <source>%1: unknown option "%2"</source>
            <translation>%1: 不明なオプション "%2"</translation>
        </message>
        <message>
            <source>(none)</source>
            <translation>(なし)</translation>
        </message>
        <message>
            <source>--language en|ja speaks English or Japanese; without it the locale decides
(LANGUAGE, LC_ALL, LC_MESSAGES, LANG). JSON, CSV and the files written are
the same in every language.
</source>
            <translation>--language en|ja で英語または日本語を選びます。指定がなければロケール
(LANGUAGE、LC_ALL、LC_MESSAGES、LANG) で決まります。JSON、CSV、書き込む
ファイルはどの言語でも同じです。
</translation>
        </message>
        <message>
            <source>1 of the units that answered was not kept: the node list holds at most %1 units</source>
            <translation>応答したユニットのうち 1 台は保存されませんでした: ノードリストに保存できるのは最大 %1 台です</translation>
        </message>
        <message>
            <source>1 unit answered</source>
            <translation>1 台のユニットが応答しました</translation>
        </message>
        <message>
            <source>Access Point</source>
            <translation>アクセスポイント</translation>
        </message>
        <message>
            <source>Already exist. (%1 uses this IP address)</source>
            <translation>既に存在します。(%1 がこの IP アドレスを使用しています)</translation>
        </message>
        <message>
            <source>Already exist. (%1 uses this MAC address)</source>
            <translation>既に存在します。(%1 がこの MAC アドレスを使用しています)</translation>
        </message>
        <message>
            <source>Bridge</source>
            <translation>ブリッジ</translation>
        </message>
        <message>
            <source>Can't add list</source>
            <translation>リストに追加できません</translation>
        </message>
        <message>
            <source>Current Password: </source>
            <translation>現在のパスワード: </translation>
        </message>
        <message>
            <source>DIP Switch:</source>
            <translation>DIP スイッチ:</translation>
        </message>
        <message>
            <source>Environment</source>
            <translation>環境</translation>
        </message>
        <message>
            <source>Ethernet</source>
            <translation>イーサネット</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>イベント</translation>
        </message>
        <message>
            <source>Exit status: 0 success, 1 no response, 2 aborted, 3 error, 4 file not found,
6 access denied, 8 not supported, 10 search aborted, 11 invalid file,
12 firmware too old or new for this program, 64 usage, 65 malformed argument
or file (a UNIT that would be every unit among them), 74 the settings file
could not be read, or a file could not be written (the settings file, a node
list, a configuration or image file, or where one should go).
</source>
            <translation>終了状態: 0 成功、1 応答なし、2 中止、3 エラー、4 ファイルが見つからない、
6 アクセス拒否、8 サポートされていない、10 検索中止、11 不正なファイル、
12 このプログラムには古すぎるか新しすぎるファームウェア、64 使い方の誤り、
65 不正な引数またはファイル (すべてのユニットを指してしまう UNIT を含む)、
74 設定ファイルを読み込めない、またはファイルに書き込めない (設定ファイル、
ノードリスト、設定ファイルやイメージファイル、またはその置き場所)。
</translation>
        </message>
        <message>
            <source>Host Name: "%1"</source>
            <translation>ホスト名: "%1"</translation>
        </message>
        <message>
            <source>IP Address</source>
            <translation>IP アドレス</translation>
        </message>
        <message>
            <source>IP Address Table (entry=%1)</source>
            <translation>IP アドレステーブル (エントリ=%1)</translation>
        </message>
        <message>
            <source>IP Address Table (entry=%1) restricted to %2</source>
            <translation>IP アドレステーブル (エントリ=%1)、%2 に限定</translation>
        </message>
        <message>
            <source>Interfaces</source>
            <translation>インタフェース</translation>
        </message>
        <message>
            <source>Invalid parameter. (%1 is the broadcast address, every unit's; a node needs its own)</source>
            <translation>パラメータが不正です。(%1 はすべてのユニットのブロードキャストアドレスです。ノードには固有のアドレスが必要です)</translation>
        </message>
        <message>
            <source>Invalid parameter. (bad IP address "%1")</source>
            <translation>パラメータが不正です。(IP アドレス "%1" が不正です)</translation>
        </message>
        <message>
            <source>Invalid parameter. (bad MAC address "%1")</source>
            <translation>パラメータが不正です。(MAC アドレス "%1" が不正です)</translation>
        </message>
        <message>
            <source>Invalid parameter. (the name holds a line break)</source>
            <translation>パラメータが不正です。(名前に改行が含まれています)</translation>
        </message>
        <message>
            <source>Invalid parameter. (the name holds characters the code page cannot store)</source>
            <translation>パラメータが不正です。(名前にコードページで保存できない文字が含まれています)</translation>
        </message>
        <message>
            <source>Invalid parameter. (the name is longer than %1 characters)</source>
            <translation>パラメータが不正です。(名前が %1 文字を超えています)</translation>
        </message>
        <message>
            <source>Invalid password.</source>
            <translation>パスワードが不正です。</translation>
        </message>
        <message>
            <source>LED:</source>
            <translation>LED:</translation>
        </message>
        <message>
            <source>MAC Address</source>
            <translation>MAC アドレス</translation>
        </message>
        <message>
            <source>MAC Address List:</source>
            <translation>MAC アドレスリスト:</translation>
        </message>
        <message>
            <source>MAC Address Table (entry=%1)</source>
            <translation>MAC アドレステーブル (エントリ=%1)</translation>
        </message>
        <message>
            <source>MAC address filter file</source>
            <translation>MAC アドレスフィルタファイル</translation>
        </message>
        <message>
            <source>Multicast joins: %1 (failed %2)</source>
            <translation>マルチキャスト参加: %1 (失敗 %2)</translation>
        </message>
        <message>
            <source>New Password: </source>
            <translation>新しいパスワード: </translation>
        </message>
        <message>
            <source>No select. (no node has the MAC address %1)</source>
            <translation>選択されていません。(MAC アドレス %1 のノードはありません)</translation>
        </message>
        <message>
            <source>Number:</source>
            <translation>件数:</translation>
        </message>
        <message>
            <source>OFF</source>
            <translation>OFF</translation>
        </message>
        <message>
            <source>ON</source>
            <translation>ON</translation>
        </message>
        <message>
            <source>Password: </source>
            <translation>パスワード: </translation>
        </message>
        <message>
            <source>Port Information:</source>
            <translation>ポート情報:</translation>
        </message>
        <message>
            <source>Reading...</source>
            <translation>読み込み中...</translation>
        </message>
        <message>
            <source>Rebooting...</source>
            <translation>再起動中...</translation>
        </message>
        <message>
            <source>Receive buffer: %1 bytes</source>
            <translation>受信バッファ: %1 バイト</translation>
        </message>
        <message>
            <source>Route</source>
            <translation>経路</translation>
        </message>
        <message>
            <source>Searching...</source>
            <translation>検索中...</translation>
        </message>
        <message>
            <source>Slot</source>
            <translation>スロット</translation>
        </message>
        <message>
            <source>Spaninng Tree</source>
            <translation>スパニングツリー</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>ステータス</translation>
        </message>
        <message>
            <source>The settings file is the one the window program uses (trennic.INI beside it)
unless --settings names another. --interface (or TRENNIC_INTERFACES) limits
the network interfaces used to reach units.
</source>
            <translation>設定ファイルは、--settings で別のファイルを指定しない限り、ウィンドウ版
プログラムと同じもの (その隣の trennic.INI) です。--interface (または
TRENNIC_INTERFACES) でユニットとの通信に使うネットワークインタフェースを限定します。
</translation>
        </message>
        <message>
            <source>UNIT is a node's name, its MAC address or its IP address; never the broadcast
address FF-FF-FF-FF-FF-FF, which every unit would take. Passwords come from
--password-file FILE, TRENNIC_PASSWORD or a prompt (TRENNIC_NEW_PASSWORD and
--new-password-file for the new one); never from the command line. A password
file other users can read is used, with a warning.
</source>
            <translation>UNIT はノードの名前、MAC アドレス、IP アドレスのいずれかです。すべてのユニットが
受け取るブロードキャストアドレス FF-FF-FF-FF-FF-FF は指定できません。パスワードは
--password-file FILE、TRENNIC_PASSWORD、またはプロンプトから取ります (新しい
パスワードは TRENNIC_NEW_PASSWORD と --new-password-file)。コマンドラインからは
取りません。ほかのユーザーも読めるパスワードファイルは警告付きで使用します。
</translation>
        </message>
        <message>
            <source>Verify Password: </source>
            <translation>パスワードの確認: </translation>
        </message>
        <message>
            <source>Verifying...</source>
            <translation>照合中...</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>バージョン</translation>
        </message>
        <message>
            <source>Wireless</source>
            <translation>無線</translation>
        </message>
        <message>
            <source>Wireless Counter</source>
            <translation>無線カウンタ</translation>
        </message>
        <message>
            <source>Wireless Node</source>
            <translation>無線ノード</translation>
        </message>
        <message>
            <source>Wireless Node List:</source>
            <translation>無線ノードリスト:</translation>
        </message>
        <message>
            <source>Wireless Parameters</source>
            <translation>無線パラメータ</translation>
        </message>
        <message>
            <source>Writing...</source>
            <translation>書き込み中...</translation>
        </message>
        <message>
            <source>a file named after the unit needs its MAC address; name the unit by MAC or label</source>
            <translation>ユニット名のファイルには MAC アドレスが必要です。MAC アドレスかラベルでユニットを指定してください</translation>
        </message>
        <message>
            <source>a password has at most %1 characters</source>
            <translation>パスワードは最大 %1 文字です</translation>
        </message>
        <message>
            <source>an output file is needed: %1</source>
            <translation>出力ファイルが必要です: %1</translation>
        </message>
        <message>
            <source>choose one of %1 and %2</source>
            <translation>%1 と %2 のどちらか一方を指定してください</translation>
        </message>
        <message>
            <source>commands:
  nodes list [--json | --csv]      the known units, in slot order
  nodes import FILE                replace the list with a node list file
  nodes export FILE                write the list as a node list file
  nodes add --mac MAC [--ip IP] [--name NAME]
  nodes remove MAC
  nodes clear
  nodes sort name|mac|ip|version [--descending]
  host                             this machine's address tables and socket
</source>
            <translation>コマンド:
  nodes list [--json | --csv]      既知のユニットをスロット順に表示
  nodes import FILE                リストをノードリストファイルで置き換え
  nodes export FILE                リストをノードリストファイルに書き込み
  nodes add --mac MAC [--ip IP] [--name NAME]
  nodes remove MAC
  nodes clear
  nodes sort name|mac|ip|version [--descending]
  host                             このコンピューターのアドレステーブルとソケット
</translation>
        </message>
        <message>
            <source>configuration file</source>
            <translation>設定ファイル</translation>
        </message>
        <message>
            <source>imported %1 nodes</source>
            <translation>%1 台のノードを読み込みました</translation>
        </message>
        <message>
            <source>imported 1 node</source>
            <translation>1 台のノードを読み込みました</translation>
        </message>
        <message>
            <source>no such interface: %1</source>
            <translation>インタフェース %1 はありません</translation>
        </message>
        <message>
            <source>protocol filter file</source>
            <translation>プロトコルフィルタファイル</translation>
        </message>
        <message>
            <source>the bytes received so far are in %1</source>
            <translation>ここまでに受信したバイトは %1 にあります</translation>
        </message>
        <message>
            <source>the node list is empty</source>
            <translation>ノードリストが空です</translation>
        </message>
        <message>
            <source>the settings file %1 cannot be read: %2; nothing was done</source>
            <translation>設定ファイル %1 を読み込めません: %2。何も実行していません</translation>
        </message>
        <message>
            <source>unknown command "%1" (try %2)</source>
            <translation>不明なコマンド "%1" (%2 を参照してください)</translation>
        </message>
        <message>
            <source>usage: %1</source>
            <translation>使い方: %1</translation>
        </message>
        <message>
            <source>usage: %1   (MASK in hex, e.g. %2)</source>
            <translation>使い方: %1   (MASK は 16 進数、例: %2)</translation>
        </message>
        <message>
            <source>warning: %1</source>
            <translation>警告: %1</translation>
        </message>
    </context>
    <context>
        <name>language</name>
        <message>
            <source>--language needs en or ja</source>
            <translation>--language には en または ja を指定してください</translation>
        </message>
        <message>
            <source>unknown language "%1": --language takes en or ja</source>
            <translation>不明な言語 "%1": --language には en または ja を指定してください</translation>
        </message>
    </context>
    <context>
        <name>main</name>
        <message>
            <source>Trennic is already running with the settings file %1 and does not answer.</source>
            <translation>Trennic は設定ファイル %1 で既に実行中ですが、応答がありません。</translation>
        </message>
    </context>
    <context>
        <name>trennic</name>
        <message>
            <source>  1Mbps</source>
            <translation>  1Mbps</translation>
        </message>
        <message>
            <source>  2Mbps</source>
            <translation>  2Mbps</translation>
        </message>
        <message>
            <source> 11Mbps</source>
            <translation> 11Mbps</translation>
        </message>
        <message>
            <source>%1 cannot be read: %2.

%3</source>
            <translation>%1 を読み込めません: %2。

%3</translation>
        </message>
        <message>
            <source>%1: MAC address %2 is listed twice</source>
            <translation>%1: MAC アドレス %2 が重複しています</translation>
        </message>
        <message>
            <source>%1: bad IP address "%2"</source>
            <translation>%1: IP アドレス "%2" が不正です</translation>
        </message>
        <message>
            <source>%1: bad MAC address "%2"</source>
            <translation>%1: MAC アドレス "%2" が不正です</translation>
        </message>
        <message>
            <source>%1: not part of the numbered list Entry1..Entry%2</source>
            <translation>%1: 番号付きリスト Entry1..Entry%2 に含まれていません</translation>
        </message>
        <message>
            <source>&amp;Configuration</source>
            <translation>設定(&amp;C)</translation>
        </message>
        <message>
            <source>&amp;File Management</source>
            <translation>ファイル管理(&amp;F)</translation>
        </message>
        <message>
            <source>&amp;Node Registration</source>
            <translation>ノード登録(&amp;N)</translation>
        </message>
        <message>
            <source>&amp;Status</source>
            <translation>ステータス(&amp;S)</translation>
        </message>
        <message>
            <source>0x0800 (IP)</source>
            <translation>0x0800 (IP)</translation>
        </message>
        <message>
            <source>0x0806 (ARP)</source>
            <translation>0x0806 (ARP)</translation>
        </message>
        <message>
            <source>0x8035 (RARP)</source>
            <translation>0x8035 (RARP)</translation>
        </message>
        <message>
            <source>1 (ICMP)</source>
            <translation>1 (ICMP)</translation>
        </message>
        <message>
            <source>1 Mb/s</source>
            <translation>1 Mb/s</translation>
        </message>
        <message>
            <source>11 Mb/s</source>
            <translation>11 Mb/s</translation>
        </message>
        <message>
            <source>17 (UDP)</source>
            <translation>17 (UDP)</translation>
        </message>
        <message>
            <source>2 Mb/s</source>
            <translation>2 Mb/s</translation>
        </message>
        <message>
            <source>5.5 Mb/s</source>
            <translation>5.5 Mb/s</translation>
        </message>
        <message>
            <source>5.5Mbps</source>
            <translation>5.5Mbps</translation>
        </message>
        <message>
            <source>6 (TCP)</source>
            <translation>6 (TCP)</translation>
        </message>
        <message>
            <source>&lt;=1500 (802.3)</source>
            <translation>&lt;=1500 (802.3)</translation>
        </message>
        <message>
            <source>ADHOC (Simple Mode)</source>
            <translation>アドホック (シンプルモード)</translation>
        </message>
        <message>
            <source>Access Point</source>
            <translation>アクセスポイント</translation>
        </message>
        <message>
            <source>Access denied.</source>
            <translation>アクセスが拒否されました。</translation>
        </message>
        <message>
            <source>Age Time(min.)</source>
            <translation>エージ時間(分)</translation>
        </message>
        <message>
            <source>Age Time(sec.)</source>
            <translation>エージ時間(秒)</translation>
        </message>
        <message>
            <source>All</source>
            <translation>すべて</translation>
        </message>
        <message>
            <source>Already exist.</source>
            <translation>既に存在します。</translation>
        </message>
        <message>
            <source>Auto (1Mb/s,2Mb/s)</source>
            <translation>自動 (1Mb/s,2Mb/s)</translation>
        </message>
        <message>
            <source>Auto (All)</source>
            <translation>自動 (すべて)</translation>
        </message>
        <message>
            <source>Auto Resets:</source>
            <translation>自動リセット回数:</translation>
        </message>
        <message>
            <source>Bad Int. Counter:</source>
            <translation>不正割り込みカウンタ:</translation>
        </message>
        <message>
            <source>Bridge Priority:</source>
            <translation>ブリッジ優先度:</translation>
        </message>
        <message>
            <source>Card Type:</source>
            <translation>カード種別:</translation>
        </message>
        <message>
            <source>Channel No.:</source>
            <translation>チャネル:</translation>
        </message>
        <message>
            <source>Channel Number:</source>
            <translation>チャネル番号:</translation>
        </message>
        <message>
            <source>Chip Type:</source>
            <translation>チップ種別:</translation>
        </message>
        <message>
            <source>Code:</source>
            <translation>コード:</translation>
        </message>
        <message>
            <source>Configuration</source>
            <translation>設定</translation>
        </message>
        <message>
            <source>Configuration File</source>
            <translation>設定ファイル</translation>
        </message>
        <message>
            <source>Current Packet Buffers:</source>
            <translation>現在のパケットバッファ数:</translation>
        </message>
        <message>
            <source>Default Gateway:</source>
            <translation>デフォルトゲートウェイ:</translation>
        </message>
        <message>
            <source>Designated Bridge</source>
            <translation>指定ブリッジ</translation>
        </message>
        <message>
            <source>Designated Bridge Port</source>
            <translation>指定ブリッジポート</translation>
        </message>
        <message>
            <source>Designated Cost</source>
            <translation>指定コスト</translation>
        </message>
        <message>
            <source>Designated Root:</source>
            <translation>指定ルート:</translation>
        </message>
        <message>
            <source>Destination</source>
            <translation>宛先</translation>
        </message>
        <message>
            <source>Disabled</source>
            <translation>無効</translation>
        </message>
        <message>
            <source>Display status information.</source>
            <translation>ステータス情報を表示します。</translation>
        </message>
        <message>
            <source>Domain:</source>
            <translation>ドメイン:</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>終了(&amp;X)</translation>
        </message>
        <message>
            <source>Edit</source>
            <translation>編集</translation>
        </message>
        <message>
            <source>Error occurred.</source>
            <translation>エラーが発生しました。</translation>
        </message>
        <message>
            <source>Ethernet</source>
            <translation>イーサネット</translation>
        </message>
        <message>
            <source>Ethernet Address</source>
            <translation>イーサネットアドレス</translation>
        </message>
        <message>
            <source>Ethernet Address:</source>
            <translation>イーサネットアドレス:</translation>
        </message>
        <message>
            <source>Event Counter:</source>
            <translation>イベントカウンタ:</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>File Management</source>
            <translation>ファイル管理</translation>
        </message>
        <message>
            <source>File not found.</source>
            <translation>ファイルが見つかりません。</translation>
        </message>
        <message>
            <source>Firmware</source>
            <translation>ファームウェア</translation>
        </message>
        <message>
            <source>Firmware File (%1);;All Files (*)</source>
            <translation>ファームウェアファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Firmware Version(Wireless Card):</source>
            <translation>ファームウェアバージョン(無線カード):</translation>
        </message>
        <message>
            <source>Firmware Version:</source>
            <translation>ファームウェアバージョン:</translation>
        </message>
        <message>
            <source>Firmware(Wireless Card)</source>
            <translation>ファームウェア(無線カード)</translation>
        </message>
        <message>
            <source>Forward Delay(Bridge):</source>
            <translation>転送遅延(ブリッジ):</translation>
        </message>
        <message>
            <source>Forward Delay:</source>
            <translation>転送遅延:</translation>
        </message>
        <message>
            <source>Forward Translations</source>
            <translation>転送遷移回数</translation>
        </message>
        <message>
            <source>Free</source>
            <translation>フリー</translation>
        </message>
        <message>
            <source>Hardware Version:</source>
            <translation>ハードウェアバージョン:</translation>
        </message>
        <message>
            <source>Hello Time(Bridge):</source>
            <translation>ハロー時間(ブリッジ):</translation>
        </message>
        <message>
            <source>Hello Time:</source>
            <translation>ハロー時間:</translation>
        </message>
        <message>
            <source>IP Address:</source>
            <translation>IP アドレス:</translation>
        </message>
        <message>
            <source>Infrastructure (Advanced Mode)</source>
            <translation>インフラストラクチャ (拡張モード)</translation>
        </message>
        <message>
            <source>Infrastructure (Standard Mode)</source>
            <translation>インフラストラクチャ (標準モード)</translation>
        </message>
        <message>
            <source>Infrastructure (Wi-Fi Mode)</source>
            <translation>インフラストラクチャ (Wi-Fi モード)</translation>
        </message>
        <message>
            <source>Interface</source>
            <translation>インタフェース</translation>
        </message>
        <message>
            <source>Interface State:</source>
            <translation>インタフェース状態:</translation>
        </message>
        <message>
            <source>Invalid file name.</source>
            <translation>ファイル名が不正です。</translation>
        </message>
        <message>
            <source>Invalid file.</source>
            <translation>ファイルが不正です。</translation>
        </message>
        <message>
            <source>Invalid parameter.</source>
            <translation>パラメータが不正です。</translation>
        </message>
        <message>
            <source>Loader</source>
            <translation>ローダー</translation>
        </message>
        <message>
            <source>Loader Program (%1);;All Files (*)</source>
            <translation>ローダープログラム (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Loader Version:</source>
            <translation>ローダーバージョン:</translation>
        </message>
        <message>
            <source>Login AP:</source>
            <translation>ログイン AP:</translation>
        </message>
        <message>
            <source>Login Refuse:</source>
            <translation>ログイン拒否数:</translation>
        </message>
        <message>
            <source>Login executing...</source>
            <translation>ログイン中...</translation>
        </message>
        <message>
            <source>MAC Address</source>
            <translation>MAC アドレス</translation>
        </message>
        <message>
            <source>MAC Address Filter File</source>
            <translation>MAC アドレスフィルタファイル</translation>
        </message>
        <message>
            <source>MAC Address Filter File (%1);;All Files (*)</source>
            <translation>MAC アドレスフィルタファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>MAC Address:</source>
            <translation>MAC アドレス:</translation>
        </message>
        <message>
            <source>MTU:</source>
            <translation>MTU:</translation>
        </message>
        <message>
            <source>Maintain configuration information.</source>
            <translation>設定情報を保守します。</translation>
        </message>
        <message>
            <source>Maintain firmware file and configuration file.</source>
            <translation>ファームウェアファイルと設定ファイルを保守します。</translation>
        </message>
        <message>
            <source>Max Age Time(Bridge):</source>
            <translation>最大エージ時間(ブリッジ):</translation>
        </message>
        <message>
            <source>Max Age Time:</source>
            <translation>最大エージ時間:</translation>
        </message>
        <message>
            <source>Minimum Packet Buffers:</source>
            <translation>最小パケットバッファ数:</translation>
        </message>
        <message>
            <source>Network Mode</source>
            <translation>ネットワークモード</translation>
        </message>
        <message>
            <source>Network Mode:</source>
            <translation>ネットワークモード:</translation>
        </message>
        <message>
            <source>No response from node.</source>
            <translation>ノードから応答がありません。</translation>
        </message>
        <message>
            <source>Noise Level:</source>
            <translation>ノイズレベル:</translation>
        </message>
        <message>
            <source>Not login.</source>
            <translation>未ログイン</translation>
        </message>
        <message>
            <source>Not supported.</source>
            <translation>サポートされていません。</translation>
        </message>
        <message>
            <source>PC:</source>
            <translation>PC:</translation>
        </message>
        <message>
            <source>Path Cost</source>
            <translation>パスコスト</translation>
        </message>
        <message>
            <source>Permission</source>
            <translation>許可</translation>
        </message>
        <message>
            <source>Port</source>
            <translation>ポート</translation>
        </message>
        <message>
            <source>Priority</source>
            <translation>優先度</translation>
        </message>
        <message>
            <source>Program exit.</source>
            <translation>プログラムを終了します。</translation>
        </message>
        <message>
            <source>Protocol Filter File</source>
            <translation>プロトコルフィルタファイル</translation>
        </message>
        <message>
            <source>Protocol Filter File (%1);;All Files (*)</source>
            <translation>プロトコルフィルタファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Quality:</source>
            <translation>品質:</translation>
        </message>
        <message>
            <source>RSSI</source>
            <translation>RSSI</translation>
        </message>
        <message>
            <source>RXDiscardsNoBuffer:</source>
            <translation>RXDiscardsNoBuffer:</translation>
        </message>
        <message>
            <source>RXFCSErrors:</source>
            <translation>RXFCSErrors:</translation>
        </message>
        <message>
            <source>RXMulticastFrames:</source>
            <translation>RXMulticastFrames:</translation>
        </message>
        <message>
            <source>RXMulticastOctets:</source>
            <translation>RXMulticastOctets:</translation>
        </message>
        <message>
            <source>RXUnicastFrames:</source>
            <translation>RXUnicastFrames:</translation>
        </message>
        <message>
            <source>RXUnicastOctets:</source>
            <translation>RXUnicastOctets:</translation>
        </message>
        <message>
            <source>Reading...</source>
            <translation>読み込み中...</translation>
        </message>
        <message>
            <source>Rebooting...</source>
            <translation>再起動中...</translation>
        </message>
        <message>
            <source>Receive Discards:</source>
            <translation>受信破棄数:</translation>
        </message>
        <message>
            <source>Receive Errors :</source>
            <translation>受信エラー数:</translation>
        </message>
        <message>
            <source>Receive Errors(CRC):</source>
            <translation>受信エラー数(CRC):</translation>
        </message>
        <message>
            <source>Receive Octets:</source>
            <translation>受信オクテット数:</translation>
        </message>
        <message>
            <source>Receive Packets(Broadcast):</source>
            <translation>受信パケット数(ブロードキャスト):</translation>
        </message>
        <message>
            <source>Receive Packets(Unicast):</source>
            <translation>受信パケット数(ユニキャスト):</translation>
        </message>
        <message>
            <source>Refusal</source>
            <translation>拒否</translation>
        </message>
        <message>
            <source>Register node list.</source>
            <translation>ノードリストを登録します。</translation>
        </message>
        <message>
            <source>Resets:</source>
            <translation>リセット回数:</translation>
        </message>
        <message>
            <source>Root Bridge</source>
            <translation>ルートブリッジ</translation>
        </message>
        <message>
            <source>Root Path Cost:</source>
            <translation>ルートパスコスト:</translation>
        </message>
        <message>
            <source>Root Port:</source>
            <translation>ルートポート:</translation>
        </message>
        <message>
            <source>Rx Duplicate Pkts</source>
            <translation>受信重複パケット数</translation>
        </message>
        <message>
            <source>Rx Rate</source>
            <translation>受信レート</translation>
        </message>
        <message>
            <source>Search aborted.</source>
            <translation>検索を中止しました。</translation>
        </message>
        <message>
            <source>Searching...</source>
            <translation>検索中...</translation>
        </message>
        <message>
            <source>Source</source>
            <translation>送信元</translation>
        </message>
        <message>
            <source>Speed:</source>
            <translation>速度:</translation>
        </message>
        <message>
            <source>State</source>
            <translation>状態</translation>
        </message>
        <message>
            <source>Station</source>
            <translation>ステーション</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>ステータス</translation>
        </message>
        <message>
            <source>Subnet Mask:</source>
            <translation>サブネットマスク:</translation>
        </message>
        <message>
            <source>TCP/IP Protocol not installed.</source>
            <translation>TCP/IP プロトコルがインストールされていません。</translation>
        </message>
        <message>
            <source>TXDeferredTransmissions:</source>
            <translation>TXDeferredTransmissions:</translation>
        </message>
        <message>
            <source>TXDiscards:</source>
            <translation>TXDiscards:</translation>
        </message>
        <message>
            <source>TXMulticastFrames:</source>
            <translation>TXMulticastFrames:</translation>
        </message>
        <message>
            <source>TXMulticastOctets:</source>
            <translation>TXMulticastOctets:</translation>
        </message>
        <message>
            <source>TXMultipleRetryFrames:</source>
            <translation>TXMultipleRetryFrames:</translation>
        </message>
        <message>
            <source>TXSingleRetryFrames:</source>
            <translation>TXSingleRetryFrames:</translation>
        </message>
        <message>
            <source>TXUnicastFrames:</source>
            <translation>TXUnicastFrames:</translation>
        </message>
        <message>
            <source>TXUnicastOctets:</source>
            <translation>TXUnicastOctets:</translation>
        </message>
        <message>
            <source>The firmware version that does not support it. Please update new utility software and firmware.

 </source>
            <translation>この機能をサポートしていないファームウェアのバージョンです。新しいユーティリティソフトウェアとファームウェアに更新してください。

 </translation>
        </message>
        <message>
            <source>Time Since Topology Change:</source>
            <translation>トポロジ変更からの経過時間:</translation>
        </message>
        <message>
            <source>Topology Changes:</source>
            <translation>トポロジ変更回数:</translation>
        </message>
        <message>
            <source>Transmit Errors:</source>
            <translation>送信エラー数:</translation>
        </message>
        <message>
            <source>Transmit Octets:</source>
            <translation>送信オクテット数:</translation>
        </message>
        <message>
            <source>Transmit Packets(Broadcast):</source>
            <translation>送信パケット数(ブロードキャスト):</translation>
        </message>
        <message>
            <source>Transmit Packets(Unicast):</source>
            <translation>送信パケット数(ユニキャスト):</translation>
        </message>
        <message>
            <source>Transmit Waits:</source>
            <translation>送信待ち数:</translation>
        </message>
        <message>
            <source>Unit Type:</source>
            <translation>ユニット種別:</translation>
        </message>
        <message>
            <source>Unknown</source>
            <translation>不明</translation>
        </message>
        <message>
            <source>User Defined</source>
            <translation>ユーザー定義</translation>
        </message>
        <message>
            <source>User aborted.</source>
            <translation>ユーザーにより中止されました。</translation>
        </message>
        <message>
            <source>Wireless</source>
            <translation>無線</translation>
        </message>
        <message>
            <source>Wireless Firmware File (%1);;All Files (*)</source>
            <translation>無線ファームウェアファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Wireless MAC Address</source>
            <translation>無線 MAC アドレス</translation>
        </message>
        <message>
            <source>Wireless MAC Address:</source>
            <translation>無線 MAC アドレス:</translation>
        </message>
        <message>
            <source>Writing...</source>
            <translation>書き込み中...</translation>
        </message>
        <message>
            <source>blocking</source>
            <translation>ブロッキング</translation>
        </message>
        <message>
            <source>broken</source>
            <translation>異常</translation>
        </message>
        <message>
            <source>disabled</source>
            <translation>無効</translation>
        </message>
        <message>
            <source>down</source>
            <translation>ダウン</translation>
        </message>
        <message>
            <source>file cannot be read</source>
            <translation>ファイルを読み込めません</translation>
        </message>
        <message>
            <source>file not found</source>
            <translation>ファイルが見つかりません</translation>
        </message>
        <message>
            <source>forwarding</source>
            <translation>フォワーディング</translation>
        </message>
        <message>
            <source>it cannot be opened for reading</source>
            <translation>読み込み用に開けません</translation>
        </message>
        <message>
            <source>it is a folder</source>
            <translation>フォルダーです</translation>
        </message>
        <message>
            <source>it is no ordinary file</source>
            <translation>通常のファイルではありません</translation>
        </message>
        <message>
            <source>it is not a text file</source>
            <translation>テキストファイルではありません</translation>
        </message>
        <message>
            <source>it is too large (over 64 MiB)</source>
            <translation>大きすぎます (64 MiB 超)</translation>
        </message>
        <message>
            <source>learning</source>
            <translation>ラーニング</translation>
        </message>
        <message>
            <source>listening</source>
            <translation>リスニング</translation>
        </message>
        <message>
            <source>no [NodeList] section: not a node list file</source>
            <translation>[NodeList] セクションがありません: ノードリストファイルではありません</translation>
        </message>
        <message>
            <source>up</source>
            <translation>アップ</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CAboutDlg</name>
        <message>
            <source>Trennic Version %1</source>
            <translation>Trennic バージョン %1</translation>
        </message>
        <message>
            <source>Version Information</source>
            <translation>バージョン情報</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CBasePage</name>
        <message>
            <source>ANY ID Blocking</source>
            <translation>ANY ID ブロック</translation>
        </message>
        <message>
            <source>Age Time:</source>
            <translation>エージ時間:</translation>
        </message>
        <message>
            <source>All</source>
            <translation>すべて</translation>
        </message>
        <message>
            <source>Channel</source>
            <translation>チャネル</translation>
        </message>
        <message>
            <source>Channel %1</source>
            <translation>チャネル %1</translation>
        </message>
        <message>
            <source>Default Gateway:</source>
            <translation>デフォルトゲートウェイ:</translation>
        </message>
        <message>
            <source>ESS ID</source>
            <translation>ESS ID</translation>
        </message>
        <message>
            <source>ESS ID:</source>
            <translation>ESS ID:</translation>
        </message>
        <message>
            <source>Enable DIP Switch</source>
            <translation>DIP スイッチを有効にする</translation>
        </message>
        <message>
            <source>IP Address:</source>
            <translation>IP アドレス:</translation>
        </message>
        <message>
            <source>IP Parameters</source>
            <translation>IP パラメータ</translation>
        </message>
        <message>
            <source>Mode</source>
            <translation>モード</translation>
        </message>
        <message>
            <source>Network Mode:</source>
            <translation>ネットワークモード:</translation>
        </message>
        <message>
            <source>Static Node Address:</source>
            <translation>固定ノードアドレス:</translation>
        </message>
        <message>
            <source>Subnet Mask:</source>
            <translation>サブネットマスク:</translation>
        </message>
        <message>
            <source>Transmit Rate:</source>
            <translation>送信レート:</translation>
        </message>
        <message>
            <source>Unit Type:</source>
            <translation>ユニット種別:</translation>
        </message>
        <message>
            <source>Wi-Fi Mode</source>
            <translation>Wi-Fi モード</translation>
        </message>
        <message>
            <source>Wireless Parameters</source>
            <translation>無線パラメータ</translation>
        </message>
        <message>
            <source>min.</source>
            <translation>分</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CByteTextField</name>
        <message>
            <source>%1: the character "%2" cannot be stored in the code page %3.</source>
            <translation>%1: 文字 "%2" はコードページ %3 では保存できません。</translation>
        </message>
        <message>
            <source>%1: the text cannot be stored in the code page %2.</source>
            <translation>%1: このテキストはコードページ %2 では保存できません。</translation>
        </message>
        <message>
            <source>Invalid parameter.</source>
            <translation>パラメータが不正です。</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CConfigDlg</name>
        <message>
            <source>Access Point:</source>
            <translation>アクセスポイント:</translation>
        </message>
        <message>
            <source>Base</source>
            <translation>基本</translation>
        </message>
        <message>
            <source>Config File (%1);;All Files (*)</source>
            <translation>設定ファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Configuration</source>
            <translation>設定</translation>
        </message>
        <message>
            <source>Default</source>
            <translation>初期値</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>File(&amp;F)</source>
            <translation>ファイル(&amp;F)</translation>
        </message>
        <message>
            <source>Filter</source>
            <translation>フィルタ</translation>
        </message>
        <message>
            <source>No select.</source>
            <translation>選択されていません。</translation>
        </message>
        <message>
            <source>Open(&amp;O)</source>
            <translation>開く(&amp;O)</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>パスワード</translation>
        </message>
        <message>
            <source>Read</source>
            <translation>読み込み</translation>
        </message>
        <message>
            <source>Reboot</source>
            <translation>再起動</translation>
        </message>
        <message>
            <source>Reboot ?</source>
            <translation>再起動しますか?</translation>
        </message>
        <message>
            <source>SNMP</source>
            <translation>SNMP</translation>
        </message>
        <message>
            <source>Save(&amp;A)</source>
            <translation>名前を付けて保存(&amp;A)</translation>
        </message>
        <message>
            <source>Spanning Tree</source>
            <translation>スパニングツリー</translation>
        </message>
        <message>
            <source>The built-in defaults are used.</source>
            <translation>組み込みの初期値を使用します。</translation>
        </message>
        <message>
            <source>Wireless</source>
            <translation>無線</translation>
        </message>
        <message>
            <source>Write</source>
            <translation>書き込み</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CFileMgmtDlg</name>
        <message>
            <source>Access Point List:</source>
            <translation>アクセスポイントリスト:</translation>
        </message>
        <message>
            <source>All(&amp;A)</source>
            <translation>すべて選択(&amp;A)</translation>
        </message>
        <message>
            <source>Browse</source>
            <translation>参照</translation>
        </message>
        <message>
            <source>Directory Name</source>
            <translation>ディレクトリ名</translation>
        </message>
        <message>
            <source>Directory Name:</source>
            <translation>ディレクトリ名:</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>File Name</source>
            <translation>ファイル名</translation>
        </message>
        <message>
            <source>File Name:</source>
            <translation>ファイル名:</translation>
        </message>
        <message>
            <source>Firmware</source>
            <translation>ファームウェア</translation>
        </message>
        <message>
            <source>Get Version</source>
            <translation>バージョン取得</translation>
        </message>
        <message>
            <source>No select.</source>
            <translation>選択されていません。</translation>
        </message>
        <message>
            <source>Number:</source>
            <translation>件数:</translation>
        </message>
        <message>
            <source>Read</source>
            <translation>読み込み</translation>
        </message>
        <message>
            <source>Read(&amp;R)</source>
            <translation>読み込み(&amp;R)</translation>
        </message>
        <message>
            <source>Reboot</source>
            <translation>再起動</translation>
        </message>
        <message>
            <source>Reboot ?</source>
            <translation>再起動しますか?</translation>
        </message>
        <message>
            <source>Reboot(&amp;B)</source>
            <translation>再起動(&amp;B)</translation>
        </message>
        <message>
            <source>Release(&amp;C)</source>
            <translation>選択解除(&amp;C)</translation>
        </message>
        <message>
            <source>The built-in defaults are used.</source>
            <translation>組み込みの初期値を使用します。</translation>
        </message>
        <message>
            <source>The file is not a valid firmware image. Write it anyway?</source>
            <translation>このファイルは正しいファームウェアイメージではありません。書き込みますか?</translation>
        </message>
        <message>
            <source>Type:</source>
            <translation>種類:</translation>
        </message>
        <message>
            <source>Write</source>
            <translation>書き込み</translation>
        </message>
        <message>
            <source>Write(&amp;W)</source>
            <translation>書き込み(&amp;W)</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CFilterPage</name>
        <message>
            <source>Address except a list:</source>
            <translation>リスト以外のアドレス:</translation>
        </message>
        <message>
            <source>All(&amp;A)</source>
            <translation>すべて選択(&amp;A)</translation>
        </message>
        <message>
            <source>Can't add list</source>
            <translation>リストに追加できません</translation>
        </message>
        <message>
            <source>Delete(&amp;D)</source>
            <translation>削除(&amp;D)</translation>
        </message>
        <message>
            <source>Edit(&amp;E)</source>
            <translation>編集(&amp;E)</translation>
        </message>
        <message>
            <source>Enable MAC Address Filter</source>
            <translation>MAC アドレスフィルタを有効にする</translation>
        </message>
        <message>
            <source>Enable Protocol Filter</source>
            <translation>プロトコルフィルタを有効にする</translation>
        </message>
        <message>
            <source>MAC Address Filter</source>
            <translation>MAC アドレスフィルタ</translation>
        </message>
        <message>
            <source>MAC Address Filter File (%1);;All Files (*)</source>
            <translation>MAC アドレスフィルタファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>MAC Address List:</source>
            <translation>MAC アドレスリスト:</translation>
        </message>
        <message>
            <source>New(&amp;N)</source>
            <translation>新規(&amp;N)</translation>
        </message>
        <message>
            <source>Number:</source>
            <translation>件数:</translation>
        </message>
        <message>
            <source>Open(&amp;O)</source>
            <translation>開く(&amp;O)</translation>
        </message>
        <message>
            <source>Permission</source>
            <translation>許可</translation>
        </message>
        <message>
            <source>Protocol Filter</source>
            <translation>プロトコルフィルタ</translation>
        </message>
        <message>
            <source>Protocol Filter File (%1);;All Files (*)</source>
            <translation>プロトコルフィルタファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Protocol List:</source>
            <translation>プロトコルリスト:</translation>
        </message>
        <message>
            <source>Protocol except a list:</source>
            <translation>リスト以外のプロトコル:</translation>
        </message>
        <message>
            <source>Refusal</source>
            <translation>拒否</translation>
        </message>
        <message>
            <source>Release(&amp;C)</source>
            <translation>選択解除(&amp;C)</translation>
        </message>
        <message>
            <source>Save(&amp;S)</source>
            <translation>保存(&amp;S)</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CInterfacePage</name>
        <message>
            <source>Ethernet</source>
            <translation>イーサネット</translation>
        </message>
        <message>
            <source>Wireless</source>
            <translation>無線</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CIntervalSlider</name>
        <message>
            <source>%1 seconds</source>
            <translation>%1 秒</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CLoginPriorityDlg</name>
        <message>
            <source>Already exist.</source>
            <translation>既に存在します。</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Priority:</source>
            <translation>優先度:</translation>
        </message>
        <message>
            <source>Wireless Mac Address:</source>
            <translation>無線 MAC アドレス:</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CMacFilterDlg</name>
        <message>
            <source>Access Control:</source>
            <translation>アクセス制御:</translation>
        </message>
        <message>
            <source>Already exist.</source>
            <translation>既に存在します。</translation>
        </message>
        <message>
            <source>Entry No.:</source>
            <translation>エントリ番号:</translation>
        </message>
        <message>
            <source>Range</source>
            <translation>範囲</translation>
        </message>
        <message>
            <source>Wireless MAC Address 1:</source>
            <translation>無線 MAC アドレス 1:</translation>
        </message>
        <message>
            <source>Wireless MAC Address 2:</source>
            <translation>無線 MAC アドレス 2:</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CMacTablePage</name>
        <message>
            <source>MAC Address List:</source>
            <translation>MAC アドレスリスト:</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CMainMenuDlg</name>
        <message>
            <source>Exit(&amp;X)</source>
            <translation>終了(&amp;X)</translation>
        </message>
        <message>
            <source>No such network interface: %1
The interfaces of this computer: %2</source>
            <translation>ネットワークインタフェース %1 はありません。
このコンピューターのインタフェース: %2</translation>
        </message>
        <message>
            <source>Restore(&amp;R)</source>
            <translation>元のサイズに戻す(&amp;R)</translation>
        </message>
        <message>
            <source>Save Display Position</source>
            <translation>表示位置を保存</translation>
        </message>
        <message>
            <source>Usual Display</source>
            <translation>常に手前に表示</translation>
        </message>
        <message>
            <source>Version(&amp;A)</source>
            <translation>バージョン情報(&amp;A)</translation>
        </message>
        <message>
            <source>Version(&amp;A)...</source>
            <translation>バージョン情報(&amp;A)...</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CNodeEditDlg</name>
        <message>
            <source>Add</source>
            <translation>追加</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
        <message>
            <source>IP Address:</source>
            <translation>IP アドレス:</translation>
        </message>
        <message>
            <source>MAC Address:</source>
            <translation>MAC アドレス:</translation>
        </message>
        <message>
            <source>Name:</source>
            <translation>名前:</translation>
        </message>
        <message>
            <source>Name: the character "%1" cannot be stored in the code page %2.</source>
            <translation>名前: 文字 "%1" はコードページ %2 では保存できません。</translation>
        </message>
        <message>
            <source>Name: the text cannot be stored in the code page %1.</source>
            <translation>名前: このテキストはコードページ %1 では保存できません。</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CNodeListDlg</name>
        <message>
            <source>%1 of the units that answered could not be listed: the list holds at most %2 units.</source>
            <translation>応答したユニットのうち %1 台はリストに登録できませんでした。リストに登録できるのは最大 %2 台です。</translation>
        </message>
        <message>
            <source>Access Point List</source>
            <translation>アクセスポイントリスト</translation>
        </message>
        <message>
            <source>Access Point List:</source>
            <translation>アクセスポイントリスト:</translation>
        </message>
        <message>
            <source>All(&amp;A)</source>
            <translation>すべて選択(&amp;A)</translation>
        </message>
        <message>
            <source>Can't add list</source>
            <translation>リストに追加できません</translation>
        </message>
        <message>
            <source>Clear</source>
            <translation>クリア</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Delete(&amp;D)</source>
            <translation>削除(&amp;D)</translation>
        </message>
        <message>
            <source>Edit(&amp;E)</source>
            <translation>編集(&amp;E)</translation>
        </message>
        <message>
            <source>Error occurred.</source>
            <translation>エラーが発生しました。</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>File(&amp;F)</source>
            <translation>ファイル(&amp;F)</translation>
        </message>
        <message>
            <source>New</source>
            <translation>新規</translation>
        </message>
        <message>
            <source>New(&amp;N)</source>
            <translation>新規(&amp;N)</translation>
        </message>
        <message>
            <source>No select.</source>
            <translation>選択されていません。</translation>
        </message>
        <message>
            <source>Node List File (%1);;All Files (*)</source>
            <translation>ノードリストファイル (%1);;すべてのファイル (*)</translation>
        </message>
        <message>
            <source>Number:</source>
            <translation>件数:</translation>
        </message>
        <message>
            <source>Open(&amp;O)</source>
            <translation>開く(&amp;O)</translation>
        </message>
        <message>
            <source>Release(&amp;C)</source>
            <translation>選択解除(&amp;C)</translation>
        </message>
        <message>
            <source>Save(&amp;A)</source>
            <translation>名前を付けて保存(&amp;A)</translation>
        </message>
        <message>
            <source>Search</source>
            <translation>検索</translation>
        </message>
        <message>
            <source>The list shows none of the units kept in it, and changes to the list are not kept.</source>
            <translation>リストに保存されているユニットは表示されず、リストへの変更も保存されません。</translation>
        </message>
        <message>
            <source>The settings file %1</source>
            <translation>設定ファイル %1</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CNodeRowsView</name>
        <message>
            <source>Access Point</source>
            <translation>アクセスポイント</translation>
        </message>
        <message>
            <source>IP Address</source>
            <translation>IP アドレス</translation>
        </message>
        <message>
            <source>MAC Address</source>
            <translation>MAC アドレス</translation>
        </message>
        <message>
            <source>Version</source>
            <translation>バージョン</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CPasswordChangeDlg</name>
        <message>
            <source>Acceess Point:</source>
            <translation>アクセスポイント:</translation>
        </message>
        <message>
            <source>Current Password</source>
            <translation>現在のパスワード</translation>
        </message>
        <message>
            <source>Current Password:</source>
            <translation>現在のパスワード:</translation>
        </message>
        <message>
            <source>Invalid password.</source>
            <translation>パスワードが不正です。</translation>
        </message>
        <message>
            <source>New Password</source>
            <translation>新しいパスワード</translation>
        </message>
        <message>
            <source>New Password:</source>
            <translation>新しいパスワード:</translation>
        </message>
        <message>
            <source>Verify Password</source>
            <translation>パスワードの確認</translation>
        </message>
        <message>
            <source>Verify Password:</source>
            <translation>パスワードの確認:</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CPasswordDlg</name>
        <message>
            <source>Access Point:</source>
            <translation>アクセスポイント:</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>パスワード</translation>
        </message>
        <message>
            <source>Password:</source>
            <translation>パスワード:</translation>
        </message>
        <message>
            <source>Use same password</source>
            <translation>同じパスワードを使用する</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CProgressDlg</name>
        <message>
            <source>Cancel</source>
            <translation>キャンセル</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CProtFilterDlg</name>
        <message>
            <source>Access Control:</source>
            <translation>アクセス制御:</translation>
        </message>
        <message>
            <source>Already exist.</source>
            <translation>既に存在します。</translation>
        </message>
        <message>
            <source>Destination</source>
            <translation>宛先</translation>
        </message>
        <message>
            <source>Entry No.:</source>
            <translation>エントリ番号:</translation>
        </message>
        <message>
            <source>Ethernet Type:</source>
            <translation>Ethernet タイプ:</translation>
        </message>
        <message>
            <source>IP Port Protocol:</source>
            <translation>IP ポートプロトコル:</translation>
        </message>
        <message>
            <source>IP Protocol:</source>
            <translation>IP プロトコル:</translation>
        </message>
        <message>
            <source>Interface:</source>
            <translation>インタフェース:</translation>
        </message>
        <message>
            <source>Invalid parameter.</source>
            <translation>パラメータが不正です。</translation>
        </message>
        <message>
            <source>Source</source>
            <translation>送信元</translation>
        </message>
        <message>
            <source>value</source>
            <translation>値</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CSnmpPage</name>
        <message>
            <source>Access:</source>
            <translation>アクセス:</translation>
        </message>
        <message>
            <source>Community Name</source>
            <translation>コミュニティ名</translation>
        </message>
        <message>
            <source>Community Name:</source>
            <translation>コミュニティ名:</translation>
        </message>
        <message>
            <source>Contact</source>
            <translation>連絡先</translation>
        </message>
        <message>
            <source>Contact:</source>
            <translation>連絡先:</translation>
        </message>
        <message>
            <source>Enable SNMP Agent</source>
            <translation>SNMP エージェントを有効にする</translation>
        </message>
        <message>
            <source>IP Address:</source>
            <translation>IP アドレス:</translation>
        </message>
        <message>
            <source>Location</source>
            <translation>設置場所</translation>
        </message>
        <message>
            <source>Location:</source>
            <translation>設置場所:</translation>
        </message>
        <message>
            <source>Name</source>
            <translation>名前</translation>
        </message>
        <message>
            <source>Name:</source>
            <translation>名前:</translation>
        </message>
        <message>
            <source>Read &amp; Write</source>
            <translation>読み書き</translation>
        </message>
        <message>
            <source>Read Only</source>
            <translation>読み込みのみ</translation>
        </message>
        <message>
            <source>Send Trap</source>
            <translation>トラップを送信</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CStatusDlg</name>
        <message>
            <source>(sec)</source>
            <translation>(秒)</translation>
        </message>
        <message>
            <source>0</source>
            <translation>0</translation>
        </message>
        <message>
            <source>120</source>
            <translation>120</translation>
        </message>
        <message>
            <source>Access Point:</source>
            <translation>アクセスポイント:</translation>
        </message>
        <message>
            <source>Bridge</source>
            <translation>ブリッジ</translation>
        </message>
        <message>
            <source>Environment</source>
            <translation>環境</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>終了</translation>
        </message>
        <message>
            <source>Interfaces</source>
            <translation>インタフェース</translation>
        </message>
        <message>
            <source>Interval</source>
            <translation>間隔</translation>
        </message>
        <message>
            <source>No select.</source>
            <translation>選択されていません。</translation>
        </message>
        <message>
            <source>Scan Start</source>
            <translation>スキャン開始</translation>
        </message>
        <message>
            <source>Spaninng Tree</source>
            <translation>スパニングツリー</translation>
        </message>
        <message>
            <source>Status</source>
            <translation>ステータス</translation>
        </message>
        <message>
            <source>Status Information</source>
            <translation>ステータス情報</translation>
        </message>
        <message>
            <source>Stop</source>
            <translation>停止</translation>
        </message>
        <message>
            <source>Traffic</source>
            <translation>トラフィック</translation>
        </message>
        <message>
            <source>Wireless Counter</source>
            <translation>無線カウンタ</translation>
        </message>
        <message>
            <source>Wireless Node</source>
            <translation>無線ノード</translation>
        </message>
        <message>
            <source>sec.</source>
            <translation>秒</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CStatusListPage</name>
        <message>
            <source>Number:</source>
            <translation>件数:</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CStatusPage</name>
        <message>
            <source>Clear</source>
            <translation>クリア</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CStpPage</name>
        <message>
            <source>Bridge Priority(0 - 65535):</source>
            <translation>ブリッジ優先度(0 - 65535):</translation>
        </message>
        <message>
            <source>Enable Spanning Tree</source>
            <translation>スパニングツリーを有効にする</translation>
        </message>
        <message>
            <source>Ethernet</source>
            <translation>イーサネット</translation>
        </message>
        <message>
            <source>Ethernet Path Cost</source>
            <translation>イーサネットパスコスト</translation>
        </message>
        <message>
            <source>Forward Delay(4 - 30 sec.):</source>
            <translation>転送遅延(4 - 30 秒):</translation>
        </message>
        <message>
            <source>Hello Time(1 - 10 sec.):</source>
            <translation>ハロー時間(1 - 10 秒):</translation>
        </message>
        <message>
            <source>Max Age Time(6 - 40 sec.):</source>
            <translation>最大エージ時間(6 - 40 秒):</translation>
        </message>
        <message>
            <source>Path Cost(1 - 65535):</source>
            <translation>パスコスト(1 - 65535):</translation>
        </message>
        <message>
            <source>Port Information</source>
            <translation>ポート情報</translation>
        </message>
        <message>
            <source>Wireless</source>
            <translation>無線</translation>
        </message>
        <message>
            <source>Wireless Path Cost</source>
            <translation>無線パスコスト</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CStpStatusPage</name>
        <message>
            <source>Port Information:</source>
            <translation>ポート情報:</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CTrafficChart</name>
        <message>
            <source>Ethernet received</source>
            <translation>イーサネット受信</translation>
        </message>
        <message>
            <source>Ethernet sent</source>
            <translation>イーサネット送信</translation>
        </message>
        <message>
            <source>Packets per second in the last cycle: Ethernet received %1, Ethernet sent %2, wireless received %3, wireless sent %4.</source>
            <translation>直近のサイクルの毎秒パケット数: イーサネット受信 %1、イーサネット送信 %2、無線受信 %3、無線送信 %4。</translation>
        </message>
        <message>
            <source>Packets/s</source>
            <translation>パケット/秒</translation>
        </message>
        <message>
            <source>Seconds before the last cycle</source>
            <translation>直近のサイクルからの秒数</translation>
        </message>
        <message>
            <source>The curves start with the second cycle of a periodic scan.</source>
            <translation>グラフは定期スキャンの 2 回目のサイクルから表示されます。</translation>
        </message>
        <message>
            <source>Traffic history</source>
            <translation>トラフィック履歴</translation>
        </message>
        <message>
            <source>Wireless received</source>
            <translation>無線受信</translation>
        </message>
        <message>
            <source>Wireless sent</source>
            <translation>無線送信</translation>
        </message>
        <message>
            <source>none</source>
            <translation>なし</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CUnitStatusPage</name>
        <message>
            <source>DIP Switch</source>
            <translation>DIP スイッチ</translation>
        </message>
        <message>
            <source>Event</source>
            <translation>イベント</translation>
        </message>
        <message>
            <source>LED</source>
            <translation>LED</translation>
        </message>
        <message>
            <source>OFF</source>
            <translation>OFF</translation>
        </message>
        <message>
            <source>ON</source>
            <translation>ON</translation>
        </message>
        <message>
            <source>POWER</source>
            <translation>POWER</translation>
        </message>
        <message>
            <source>SW%1</source>
            <translation>SW%1</translation>
        </message>
        <message>
            <source>WLINK</source>
            <translation>WLINK</translation>
        </message>
        <message>
            <source>WRX</source>
            <translation>WRX</translation>
        </message>
        <message>
            <source>Wireless Parameters</source>
            <translation>無線パラメータ</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CWirelessPage</name>
        <message>
            <source>128 bit</source>
            <translation>128 ビット</translation>
        </message>
        <message>
            <source>40 bit</source>
            <translation>40 ビット</translation>
        </message>
        <message>
            <source>AP Login Priority</source>
            <translation>AP ログイン優先順位</translation>
        </message>
        <message>
            <source>Access Point List:</source>
            <translation>アクセスポイントリスト:</translation>
        </message>
        <message>
            <source>All(&amp;A)</source>
            <translation>すべて選択(&amp;A)</translation>
        </message>
        <message>
            <source>Border of 11M and 5.5M:</source>
            <translation>11M と 5.5M の境界:</translation>
        </message>
        <message>
            <source>Border of 2M and 1M:</source>
            <translation>2M と 1M の境界:</translation>
        </message>
        <message>
            <source>Border of 5.5M and 2M:</source>
            <translation>5.5M と 2M の境界:</translation>
        </message>
        <message>
            <source>Can't add list</source>
            <translation>リストに追加できません</translation>
        </message>
        <message>
            <source>Default Tx Key:</source>
            <translation>デフォルト送信キー:</translation>
        </message>
        <message>
            <source>Delete</source>
            <translation>削除</translation>
        </message>
        <message>
            <source>Delete(&amp;D)</source>
            <translation>削除(&amp;D)</translation>
        </message>
        <message>
            <source>Disabled</source>
            <translation>無効</translation>
        </message>
        <message>
            <source>Edit(&amp;E)</source>
            <translation>編集(&amp;E)</translation>
        </message>
        <message>
            <source>Enable</source>
            <translation>有効</translation>
        </message>
        <message>
            <source>Extended Roaming</source>
            <translation>拡張ローミング</translation>
        </message>
        <message>
            <source>Extension Control</source>
            <translation>拡張制御</translation>
        </message>
        <message>
            <source>Extension Speed Control</source>
            <translation>拡張速度制御</translation>
        </message>
        <message>
            <source>Key %1 size</source>
            <translation>キー %1 のサイズ</translation>
        </message>
        <message>
            <source>Key %1:</source>
            <translation>キー %1:</translation>
        </message>
        <message>
            <source>Login Other AP</source>
            <translation>他の AP にログイン</translation>
        </message>
        <message>
            <source>New</source>
            <translation>新規</translation>
        </message>
        <message>
            <source>New(&amp;N)</source>
            <translation>新規(&amp;N)</translation>
        </message>
        <message>
            <source>Priority</source>
            <translation>優先度</translation>
        </message>
        <message>
            <source>RSSI Sampling Time:</source>
            <translation>RSSI サンプリング時間:</translation>
        </message>
        <message>
            <source>Release(&amp;C)</source>
            <translation>選択解除(&amp;C)</translation>
        </message>
        <message>
            <source>Roaming Threshold:</source>
            <translation>ローミングしきい値:</translation>
        </message>
        <message>
            <source>Scramble</source>
            <translation>スクランブル</translation>
        </message>
        <message>
            <source>Scramble Key:</source>
            <translation>スクランブルキー:</translation>
        </message>
        <message>
            <source>Scramble:</source>
            <translation>スクランブル:</translation>
        </message>
        <message>
            <source>TKV(Original)</source>
            <translation>TKV(独自)</translation>
        </message>
        <message>
            <source>Type 1</source>
            <translation>タイプ 1</translation>
        </message>
        <message>
            <source>Type 2</source>
            <translation>タイプ 2</translation>
        </message>
        <message>
            <source>WEP</source>
            <translation>WEP</translation>
        </message>
        <message>
            <source>Wireless MAC Address</source>
            <translation>無線 MAC アドレス</translation>
        </message>
        <message>
            <source>sec.</source>
            <translation>秒</translation>
        </message>
        <message>
            <source>value</source>
            <translation>値</translation>
        </message>
    </context>
    <context>
        <name>trennic::ui::CWlNodePage</name>
        <message>
            <source>Wireless Node List:</source>
            <translation>無線ノードリスト:</translation>
        </message>
    </context>
</TS>
