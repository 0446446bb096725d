REM 寸法値チェック（理由・一覧つき）
REM #jww
REM #cd
REM #hf
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
REM   hf の行   図面のファイル名を渡す（一覧 dimcheck.csv に書くため）
REM   h1 の行   範囲選択した要素だけを渡す
REM   hc の行   範囲を選ぶときの案内
REM   e の行    指定の終わり
REM
REM このファイルは dimcheck.exe に -n -s と -e -r を付けて実行します。
REM   -n  注記（約910、洋室など、寸法値に使わない文字を含む文字）と、まわりに
REM       端点のない数字（レベルや高さを並べた欄の数字など）は調べず、対象外として数える。
REM       寸法値として書かれた文字（寸法、半径、直径の寸法値）はいつも調べる
REM   -s  寸法値を、その値が書かれた寸法線の区間（両側の端点の間）の長さと照合する。
REM       隣の区間や区間の合計と合っても◎にせず、△にする
REM   -e  △とＸの文字の先に、照合した長さか見つかった端点の数を「*」で始まる文字で書く
REM   -r  調べた文字の一覧を dimcheck.csv としてこのフォルダに書く
REM dimcheck.csv を Excel などで開いたままにすると書けません。閉じてから実行してください。
REM 書けなかったときは、結果の行の終わりに「dimcheck.csv を書けません」と出ます。
REM
REM 注記も含めてすべての文字を、探す範囲のどの端点の組とでも照合するときは、
REM 下の dimcheck.exe を起動する行から -n と -s を消します（片方だけ消すこともできます）。
REM
REM 倍率を指定するときは、同じ行の dimcheck.exe のあとに -b と倍率を書き加えます。
REM たとえば -b0.5 とすると、寸法値の 0.5 倍を図面上の長さとして調べます
REM （半分の大きさでかいた詳細図）。
REM 印、集計、理由を決まったレイヤに書くときは、-l とレイヤの番号（0 から F の 1 文字）を
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
"%~dp0dimcheck.exe" -n -s -e -r >nul 2>"%~dp0dimcheck.log"
if errorlevel 3 goto failed
if not errorlevel 0 goto failed
goto done
:missing
echo Not found: dimcheck.exe>"%~dp0dimcheck.log"
:failed
echo he  寸法値チェックを実行できませんでした（理由は dimcheck.log にあります）>JWC_TEMP.TXT
:done
popd
