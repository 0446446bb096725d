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
REM 倍率を指定するときは、下の dimcheck.exe を起動する行で、
REM dimcheck.exe のあとに -b と倍率を書き加えます。たとえば -b0.5 とすると、
REM 寸法値の 0.5 倍を図面上の長さとして調べます（半分の大きさでかいた詳細図）。
REM ほかの行は変えないでください。
REM
REM このファイルは dimcheck.exe に -e と -r を付けて実行します。
REM   -e  △とＸの文字の先に、実測の長さや端点不足を「*」で始まる文字で書く
REM   -r  調べた文字の一覧を dimcheck.csv としてこのフォルダに書く
REM dimcheck.csv を Excel などで開いたままにすると書けません。閉じてから実行してください。
REM 書けなかったときは、結果の行の終わりに「dimcheck.csv を書けません」と出ます。
REM
REM dimcheck.exe は終わるまで待って実行します（start は使いません。
REM 待たずに戻ると、Jw_cad は変わっていないファイルを読みます）。
REM 画面はすぐに閉じるので、エラーの内容は dimcheck.log に書かれます。
REM dimcheck.exe が動けなかったときや、途中で止まって結果を書かなかったときは、
REM Jw_cad にそのことを知らせるメッセージを返します（終了状態 0、1、2 は結果を書いた印です）。
REM ------------------------------------------------------------------
pushd "%~dp0"
if not exist "%~dp0dimcheck.exe" goto missing
"%~dp0dimcheck.exe" -e -r >nul 2>"%~dp0dimcheck.log"
if errorlevel 3 goto failed
if not errorlevel 0 goto failed
goto done
:missing
echo Not found: dimcheck.exe>"%~dp0dimcheck.log"
:failed
echo he  寸法値チェックを実行できませんでした（理由は dimcheck.log にあります）>JWC_TEMP.TXT
:done
popd
