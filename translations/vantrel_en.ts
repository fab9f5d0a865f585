<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>MainFramePrompts</name>
    <message>
        <source>設定ファイル(*.bin)</source>
        <translation>Settings files (*.bin)</translation>
    </message>
    <message>
        <source>全てのファイル(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
</context>
<context>
    <name>MonitorFields</name>
    <message>
        <source>指令位置</source>
        <translation>Command position</translation>
    </message>
    <message>
        <source>検出位置</source>
        <translation>Actual position</translation>
    </message>
    <message>
        <source>指令速度</source>
        <translation>Command speed</translation>
    </message>
    <message>
        <source>検出速度</source>
        <translation>Actual speed</translation>
    </message>
    <message>
        <source>アラーム</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>MotionForm</name>
    <message>
        <source>絶対</source>
        <translation>Absolute</translation>
    </message>
    <message>
        <source>相対</source>
        <translation>Relative</translation>
    </message>
    <message>
        <source>％</source>
        <translation>%</translation>
    </message>
    <message>
        <source>ポイントNo.：</source>
        <translation>Point No.:</translation>
    </message>
    <message>
        <source>軸No.：</source>
        <translation>Axis No.:</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>加速時間([sec])</source>
        <translation>Acceleration time ([sec])</translation>
    </message>
    <message>
        <source>減速時間([sec])</source>
        <translation>Deceleration time ([sec])</translation>
    </message>
    <message>
        <source>シフト1</source>
        <translation>Shift 1</translation>
    </message>
    <message>
        <source>シフト2</source>
        <translation>Shift 2</translation>
    </message>
</context>
<context>
    <name>OkCancelButtons</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SaveWithRetry</name>
    <message>
        <source>保存しました: %1</source>
        <translation>Saved: %1</translation>
    </message>
</context>
<context>
    <name>vantrel::CAboutDlg</name>
    <message>
        <source>バージョン情報 VANTREL</source>
        <translation>About VANTREL</translation>
    </message>
    <message>
        <source>ビルド日: %1</source>
        <translation>Build date: %1</translation>
    </message>
    <message>
        <source>Qt バージョン: %1</source>
        <translation>Qt version: %1</translation>
    </message>
    <message>
        <source>使用ライブラリとライセンス:</source>
        <translation>Libraries used and their licences:</translation>
    </message>
</context>
<context>
    <name>vantrel::CAlarmMonitorDlg</name>
    <message>
        <source>アラームリセット</source>
        <translation>Alarm reset</translation>
    </message>
    <message>
        <source>履歴取得</source>
        <translation>Get history</translation>
    </message>
</context>
<context>
    <name>vantrel::CCommandPalette</name>
    <message>
        <source>コマンドテーブル</source>
        <translation>Command table</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>コメント入力</source>
        <translation>Enter comment</translation>
    </message>
    <message>
        <source>実行中はコマンドを入力できません。
編集テストモードに切り替えると入力できます。</source>
        <translation>Commands cannot be entered while running.
Switch to edit-test mode to enter them.</translation>
    </message>
</context>
<context>
    <name>vantrel::CCommentDlg</name>
    <message>
        <source>※最大半角100文字入力可能</source>
        <translation>* Up to 100 half-width characters</translation>
    </message>
</context>
<context>
    <name>vantrel::CConnectDlg</name>
    <message>
        <source>接続</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>コントローラ→PC</source>
        <translation>Controller → PC</translation>
    </message>
    <message>
        <source>PC→コントローラ</source>
        <translation>PC → Controller</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vantrel::CIoTestDlg</name>
    <message>
        <source>パルス列軸出力</source>
        <translation>Pulse axis outputs</translation>
    </message>
    <message>
        <source>RIVO軸出力</source>
        <translation>RIVO axis outputs</translation>
    </message>
</context>
<context>
    <name>vantrel::CIpAddressDlg</name>
    <message>
        <source>Ethernet IPアドレス</source>
        <translation>Ethernet IP address</translation>
    </message>
    <message>
        <source>IPアドレス：</source>
        <translation>IP address:</translation>
    </message>
    <message>
        <source>サブネットマスク：</source>
        <translation>Subnet mask:</translation>
    </message>
    <message>
        <source>デフォルトゲートウェイ：</source>
        <translation>Default gateway:</translation>
    </message>
    <message>
        <source>ポート番号：</source>
        <translation>Port number:</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vantrel::CJogDlg</name>
    <message>
        <source>軸</source>
        <translation>Axis</translation>
    </message>
    <message>
        <source>接続機種</source>
        <translation>Connected model</translation>
    </message>
    <message>
        <source>接続機種が設定された軸がありません。「パルス列軸設定」または「RIVO軸設定」で接続機種を選んでください。</source>
        <translation>No axis has a connected model. Choose one in &quot;Pulse axis settings&quot; or &quot;RIVO axis settings&quot;.</translation>
    </message>
    <message>
        <source>■停止</source>
        <translation>■ Stop</translation>
    </message>
    <message>
        <source>現在値</source>
        <translation>Current values</translation>
    </message>
    <message>
        <source>指令位置</source>
        <translation>Command position</translation>
    </message>
    <message>
        <source>指令速度</source>
        <translation>Command speed</translation>
    </message>
    <message>
        <source>JOG運転速度</source>
        <translation>JOG speed</translation>
    </message>
    <message>
        <source>JOG加減速時間</source>
        <translation>JOG accel/decel time</translation>
    </message>
    <message>
        <source>インチング</source>
        <translation>Inching</translation>
    </message>
    <message>
        <source>インチング移動量</source>
        <translation>Inching distance</translation>
    </message>
    <message>
        <source>インチング運転速度</source>
        <translation>Inching speed</translation>
    </message>
    <message>
        <source>インチング加減速時間</source>
        <translation>Inching accel/decel time</translation>
    </message>
    <message>
        <source>&lt;｜</source>
        <translation>&lt;|</translation>
    </message>
    <message>
        <source>｜&gt;</source>
        <translation>|&gt;</translation>
    </message>
    <message>
        <source>原点復帰</source>
        <translation>Home return</translation>
    </message>
    <message>
        <source>原点復帰運転速度</source>
        <translation>Home return speed</translation>
    </message>
    <message>
        <source>原点復帰起動速度</source>
        <translation>Home return start speed</translation>
    </message>
    <message>
        <source>原点復帰加減速時間</source>
        <translation>Home return accel/decel time</translation>
    </message>
    <message>
        <source>原点復帰オフセット</source>
        <translation>Home return offset</translation>
    </message>
    <message>
        <source>原点復帰方法</source>
        <translation>Home return method</translation>
    </message>
    <message>
        <source>3センサ</source>
        <translation>3 sensors</translation>
    </message>
    <message>
        <source>2センサ</source>
        <translation>2 sensors</translation>
    </message>
    <message>
        <source>原点復帰開始方向</source>
        <translation>Home return start direction</translation>
    </message>
    <message>
        <source>CW方向</source>
        <translation>CW</translation>
    </message>
    <message>
        <source>CCW方向</source>
        <translation>CCW</translation>
    </message>
    <message>
        <source>ポイント運転</source>
        <translation>Point run</translation>
    </message>
    <message>
        <source>ポイント</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>運転方式</source>
        <translation>Positioning mode</translation>
    </message>
    <message>
        <source>運転速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>加減速時間</source>
        <translation>Accel/decel time</translation>
    </message>
    <message>
        <source>▲開始</source>
        <translation>▲ Start</translation>
    </message>
    <message>
        <source>ティーチング</source>
        <translation>Teaching</translation>
    </message>
    <message>
        <source>ポイント番号</source>
        <translation>Point number</translation>
    </message>
    <message>
        <source>取込</source>
        <translation>Teach</translation>
    </message>
    <message>
        <source>ドライバ出力</source>
        <translation>Driver outputs</translation>
    </message>
    <message>
        <source>アラームリセット</source>
        <translation>Alarm reset</translation>
    </message>
</context>
<context>
    <name>vantrel::CLabelDlg</name>
    <message>
        <source>番号直接入力</source>
        <translation>Enter number</translation>
    </message>
    <message>
        <source>番号選択</source>
        <translation>Choose number</translation>
    </message>
</context>
<context>
    <name>vantrel::CLinkTraceAction</name>
    <message>
        <source>通信トレース(&amp;T)</source>
        <translation>Link &amp;trace</translation>
    </message>
</context>
<context>
    <name>vantrel::CMainFrame</name>
    <message>
        <source>プログラムを開くには編集テストモードに切り換えてください。</source>
        <translation>Switch to edit-test mode to open programs.</translation>
    </message>
    <message>
        <source>通信(&amp;C)</source>
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>通信ポート(&amp;S)...</source>
        <translation>&amp;Serial port...</translation>
    </message>
    <message>
        <source>USB接続(&amp;N)</source>
        <translation>USB co&amp;nnect</translation>
    </message>
    <message>
        <source>USB切断(&amp;D)</source>
        <translation>USB &amp;disconnect</translation>
    </message>
    <message>
        <source>Ethernet IPアドレス(&amp;P)...</source>
        <translation>Ethernet IP &amp;address...</translation>
    </message>
    <message>
        <source>設定初期化(&amp;I)...</source>
        <translation>&amp;Initialise controller...</translation>
    </message>
    <message>
        <source>FLASH書込み(&amp;F)...</source>
        <translation>&amp;FLASH write...</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>動作(&amp;A)</source>
        <translation>&amp;Run</translation>
    </message>
    <message>
        <source>開始(&amp;R)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>停止(&amp;P)</source>
        <translation>Sto&amp;p</translation>
    </message>
    <message>
        <source>ステップ実行モード(&amp;S)</source>
        <translation>&amp;Step-run mode</translation>
    </message>
    <message>
        <source>自動実行モード(&amp;A)</source>
        <translation>&amp;Auto-run mode</translation>
    </message>
    <message>
        <source>編集テストモード(&amp;M)</source>
        <translation>Edit-test &amp;mode</translation>
    </message>
    <message>
        <source>モニタ(&amp;M)</source>
        <translation>&amp;Monitor</translation>
    </message>
    <message>
        <source>モニタメニュー(&amp;M)...</source>
        <translation>&amp;Monitor menu...</translation>
    </message>
    <message>
        <source>モニタメニュー</source>
        <translation>Monitor menu</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>バージョン情報 (&amp;A)...</source>
        <translation>&amp;About VANTREL...</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>設定ファイルを開きます（Ctrl+O：プログラム作成画面以外）</source>
        <translation>Opens a settings file (Ctrl+O outside the program editor)</translation>
    </message>
    <message>
        <source>上書き保存(&amp;V)</source>
        <translation>Sa&amp;ve</translation>
    </message>
    <message>
        <source>使用中の設定ファイルに上書き保存します（Ctrl+S：プログラム作成画面以外）</source>
        <translation>Saves over the settings file in use (Ctrl+S outside the program editor)</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;S)...</source>
        <translation>Save &amp;as...</translation>
    </message>
    <message>
        <source>設定を名前を付けて保存します（Ctrl+Shift+S：プログラム作成画面以外）</source>
        <translation>Saves the settings under a new name (Ctrl+Shift+S outside the program editor)</translation>
    </message>
    <message>
        <source>プログラムを開く(&amp;R)...</source>
        <translation>Open p&amp;rogram...</translation>
    </message>
    <message>
        <source>プログラムファイルを開きます（Ctrl+O：プログラム作成画面）</source>
        <translation>Opens a program file (Ctrl+O in the program editor)</translation>
    </message>
    <message>
        <source>プログラムを上書き保存(&amp;W)</source>
        <translation>Save pro&amp;gram</translation>
    </message>
    <message>
        <source>使用中のプログラムファイルに上書き保存します（Ctrl+S：プログラム作成画面）</source>
        <translation>Saves over the program file in use (Ctrl+S in the program editor)</translation>
    </message>
    <message>
        <source>プログラムに名前を付けて保存(&amp;A)...</source>
        <translation>Save progra&amp;m as...</translation>
    </message>
    <message>
        <source>プログラムを名前を付けて保存します（Ctrl+Shift+S：プログラム作成画面）</source>
        <translation>Saves the programs under a new name (Ctrl+Shift+S in the program editor)</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
</context>
<context>
    <name>vantrel::CMonitorMenuDlg</name>
    <message>
        <source>モニタメニュー</source>
        <translation>Monitor menu</translation>
    </message>
</context>
<context>
    <name>vantrel::COnlineWindow</name>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>vantrel::CPortDlg</name>
    <message>
        <source>通信ポート</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>通信ポート：</source>
        <translation>Serial port:</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgAlarmDlg</name>
    <message>
        <source>ユーザーアラームNo.</source>
        <translation>User alarm No.</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgCalcDlg</name>
    <message>
        <source>変数名</source>
        <translation>Variable name</translation>
    </message>
    <message>
        <source>数値入力</source>
        <translation>Enter number</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgIfDlg</name>
    <message>
        <source>軸No.：</source>
        <translation>Axis No.:</translation>
    </message>
    <message>
        <source>数値比較</source>
        <translation>Compare value</translation>
    </message>
    <message>
        <source>入力条件確定</source>
        <translation>Confirm condition</translation>
    </message>
    <message>
        <source>出力</source>
        <translation>Output</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgIfThenDlg</name>
    <message>
        <source>変数名：</source>
        <translation>Variable name:</translation>
    </message>
    <message>
        <source>変数名または定数：</source>
        <translation>Variable name or constant:</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgManage</name>
    <message>
        <source>プログラム一覧</source>
        <translation>Program list</translation>
    </message>
    <message>
        <source>プログラムNo.</source>
        <translation>Program No.</translation>
    </message>
    <message>
        <source>プログラム名称</source>
        <translation>Program name</translation>
    </message>
    <message>
        <source>新規追加</source>
        <translation>Add new</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>(1～255）</source>
        <translation>(1-255)</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgRegIntDlg</name>
    <message>
        <source>変数名任意指定</source>
        <translation>Enter a name</translation>
    </message>
    <message>
        <source>変数名一覧から指定</source>
        <translation>Choose from the list</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgRioOutDlg</name>
    <message>
        <source>軸確定</source>
        <translation>Fix axis</translation>
    </message>
    <message>
        <source>軸No.：</source>
        <translation>Axis No.:</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgTimerCounterDlg</name>
    <message>
        <source>設定項目</source>
        <translation>Setting</translation>
    </message>
</context>
<context>
    <name>vantrel::CProgramView</name>
    <message>
        <source>プログラムNo.</source>
        <translation>Program No.</translation>
    </message>
    <message>
        <source>プログラム名称</source>
        <translation>Program name</translation>
    </message>
    <message>
        <source>動作モード</source>
        <translation>Run mode</translation>
    </message>
    <message>
        <source>コンパイル</source>
        <translation>Compile</translation>
    </message>
    <message>
        <source>プログラム一覧</source>
        <translation>Program list</translation>
    </message>
    <message>
        <source>プログラムを開く</source>
        <translation>Open program</translation>
    </message>
    <message>
        <source>プログラムの保存</source>
        <translation>Save program</translation>
    </message>
    <message>
        <source>テーブル再表示</source>
        <translation>Show table again</translation>
    </message>
    <message>
        <source>プログラム
初期化</source>
        <translation>Initialise
programs</translation>
    </message>
    <message>
        <source>プログラム読出し</source>
        <translation>Read programs</translation>
    </message>
    <message>
        <source>クリックするとそのタスクのプログラムを表示します。</source>
        <translation>Click to show that task&apos;s program.</translation>
    </message>
    <message>
        <source>プログラム #%1 はPC上のプログラムにありません。</source>
        <translation>Program #%1 is not among the programs on the PC.</translation>
    </message>
    <message>
        <source>コメント入力</source>
        <translation>Enter comment</translation>
    </message>
</context>
<context>
    <name>vantrel::CPulseOutputTestDlg</name>
    <message>
        <source>パルス列軸出力テスト</source>
        <translation>Pulse axis output test</translation>
    </message>
</context>
<context>
    <name>vantrel::CRegisterTestDlg</name>
    <message>
        <source>スレーブ
アドレス</source>
        <translation>Slave
address</translation>
    </message>
    <message>
        <source>ファンクション
コード</source>
        <translation>Function
code</translation>
    </message>
    <message>
        <source>レジスタ
アドレス</source>
        <translation>Register
address</translation>
    </message>
    <message>
        <source>レジスタ数</source>
        <translation>Register count</translation>
    </message>
    <message>
        <source>データ</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>送信データ</source>
        <translation>Request</translation>
    </message>
    <message>
        <source>受信データ</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>送信</source>
        <translation>Send</translation>
    </message>
</context>
<context>
    <name>vantrel::CRivoOutputTestDlg</name>
    <message>
        <source>RIVO軸出力テスト</source>
        <translation>RIVO axis output test</translation>
    </message>
</context>
<context>
    <name>vantrel::CRivoStatusMonitorDlg</name>
    <message>
        <source>アラームリセット</source>
        <translation>Alarm reset</translation>
    </message>
</context>
<context>
    <name>vantrel::CSettingInitialDlg</name>
    <message>
        <source>設定初期化</source>
        <translation>Initialise controller</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All</translation>
    </message>
    <message>
        <source>選択</source>
        <translation>Selected</translation>
    </message>
    <message>
        <source>軸設定のみ</source>
        <translation>Axis settings only</translation>
    </message>
    <message>
        <source>パラメータのみ</source>
        <translation>Parameters only</translation>
    </message>
    <message>
        <source>初期化項目</source>
        <translation>Items to initialise</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>設定を初期化します</source>
        <translation>The settings will be initialised.</translation>
    </message>
</context>
<context>
    <name>vantrel::CStatusMonitorDlg</name>
    <message>
        <source>トレンド</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>アラームリセット</source>
        <translation>Alarm reset</translation>
    </message>
</context>
<context>
    <name>vantrel::CStepTableView</name>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
</context>
<context>
    <name>vantrel::CTrendPanel</name>
    <message>
        <source>指令位置</source>
        <translation>Command position</translation>
    </message>
    <message>
        <source>検出位置</source>
        <translation>Actual position</translation>
    </message>
    <message>
        <source>指令速度</source>
        <translation>Command speed</translation>
    </message>
    <message>
        <source>検出速度</source>
        <translation>Actual speed</translation>
    </message>
    <message>
        <source>一時停止</source>
        <translation>Pause</translation>
    </message>
</context>
<context>
    <name>vantrel::CTrendPlot</name>
    <message>
        <source>指令位置</source>
        <translation>Command position</translation>
    </message>
    <message>
        <source>検出位置</source>
        <translation>Actual position</translation>
    </message>
    <message>
        <source>指令速度</source>
        <translation>Command speed</translation>
    </message>
    <message>
        <source>検出速度</source>
        <translation>Actual speed</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>軸%1 [%2, %3]</source>
        <translation>Axis %1 [%2, %3]</translation>
    </message>
    <message>
        <source>指令</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>検出</source>
        <translation>Actual</translation>
    </message>
    <message>
        <source>軸%1 %2 %3 %4</source>
        <translation>Axis %1 %2 %3 %4</translation>
    </message>
</context>
<context>
    <name>vantrel::CWaitDlg</name>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>vantrel::UndoActions</name>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>読み込んだ内容に置き換えたため、元に戻す履歴を消去しました。</source>
        <translation>The undo history was cleared because the work was replaced by what was read.</translation>
    </message>
    <message>
        <source>プログラムの変更を戻すには編集テストモードに切り換えてください。</source>
        <translation>Switch to edit-test mode to undo program changes.</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
</context>
</TS>
