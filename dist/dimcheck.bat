REM 寸法値チェック（寸法値と端点間の長さを照合して◎◯△Ｘの印を付けます）
REM #jww
REM #cd
REM #h1
REM #hc 寸法値を調べる範囲を選択してください（終点は右クリックで文字を含む）
REM #e
@echo off
REM ------------------------------------------------------------------
REM Jw_cad の外部変形で dimcheck を使うためのファイルです。
REM dimcheck.exe をこのファイルと同じフォルダに置いてください。
REM
REM 上の REM の行は Jw_cad への指定です。1 行目は一覧に出る説明です。
REM   jww の行  JWW 形式の図面として渡す（文字種ごとの大きさも渡されます）
REM   cd の行   このファイルのフォルダで JWC_TEMP.TXT を受け渡す
REM   h1 の行   範囲選択した要素だけを渡す
REM   hc の行   範囲を選ぶときの案内
REM   e の行    指定の終わり
REM
REM このファイルは dimcheck.exe に -n と -s を付けて実行します。
REM   -n  注記（約910、洋室など、寸法値に使わない文字を含む文字）と、まわりに
REM       端点のない数字（レベルや高さを並べた欄の数字など）は調べず、対象外として数える。
REM       寸法値として書かれた文字（寸法、半径、直径の寸法値）はいつも調べる
REM   -s  寸法値を、その値が書かれた寸法線の区間（両側の端点の間）の長さと照合する。
REM       隣の区間や区間の合計と合っても◎にせず、△にする
REM
REM 注記も含めてすべての文字を、探す範囲のどの端点の組とでも照合するときは、
REM 下の dimcheck.exe を起動する行から -n と -s を消します（片方だけ消すこともできます）。
REM
REM 倍率を指定するときは、同じ行の dimcheck.exe のあとに -b と倍率を書き加えます。
REM たとえば -b0.5 とすると、寸法値の 0.5 倍を図面上の長さとして調べます
REM （半分の大きさでかいた詳細図）。
REM 印と集計を決まったレイヤに書くときは、-l とレイヤの番号（0 から F の 1 文字）を
REM 書き加えます。たとえば -lF ならレイヤ F に書くはずです（Jw_cad でまだ確かめていません）。
REM 印を消すためにそのレイヤの要素を消すと、そこにあるほかの要素も消えます。
REM 空いているレイヤを選んでください。
REM オプションを書き間違えると、結果の行の終わりに
REM 「オプションに誤りがあります（dimcheck.log）」と出て、そのオプションは使われません。
REM ほかの行は変えないでください。
REM
REM dimcheck.exe は終わるまで待って実行します（start は使いません。
REM 待たずに戻ると、Jw_cad は変わっていないファイルを読みます）。
REM 画面はすぐに閉じるので、エラーの内容は dimcheck.log に書かれます。
REM dimcheck.exe が動けなかったときや、途中で止まって結果を書かなかったときは、
REM Jw_cad にそのことを知らせるメッセージを返します（終了状態 0、1、2 は結果を書いた印です）。
REM ------------------------------------------------------------------
pushd "%~dp0"
if not exist "%~dp0dimcheck.exe" goto missing
"%~dp0dimcheck.exe" -n -s >nul 2>"%~dp0dimcheck.log"
if errorlevel 3 goto failed
if not errorlevel 0 goto failed
goto done
:missing
echo Not found: dimcheck.exe>"%~dp0dimcheck.log"
:failed
echo he  寸法値チェックを実行できませんでした（理由は dimcheck.log にあります）>JWC_TEMP.TXT
:done
popd
