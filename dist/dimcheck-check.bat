@echo off
REM ------------------------------------------------------------------
REM 図面のフォルダを検査する dimcheck のファイルです。Jw_cad は使いません。
REM dimcheck.exe をこのファイルと同じフォルダに置いてください。
REM
REM 図面のフォルダ（または図面 1 枚）をこのファイルの上にドロップすると、
REM その中のすべての Jw_cad 図面（.jww、下のフォルダの図面も）を、
REM レイヤグループごとに全体を選んだときと同じように調べます。
REM 結果はドロップしたもののとなりの「名前-dimcheck」フォルダに書かれます。
REM   dimcheck.csv  すべての文字の判定（図面とレイヤグループの列つき）
REM   summary.csv   図面とレイヤグループごとの集計（読めない図面とその理由も）
REM
REM -n と -s を付けて実行します（Jw_cad から使う dimcheck.bat と同じです）。
REM   -n  注記と、まわりに端点のない数字は調べず、対象外として数える
REM   -s  寸法値を、その値が書かれた寸法線の区間の長さと照合する
REM 倍率を指定するときは、下の行の -s のあとに -b と倍率を書き足します。
REM 判定の理由を dimcheck.csv の図上長さの列で見られます。
REM ------------------------------------------------------------------
setlocal DisableDelayedExpansion
if "%~1"=="" goto usage
"%~dp0dimcheck.exe" --check -n -s --out "%~dpnx1-dimcheck" "%~1"
set status=%ERRORLEVEL%
echo.
if "%status%"=="0" echo すべての図面を調べました。不良（Ｘ）はありません。
if "%status%"=="1" echo すべての図面を調べました。不良（Ｘ）があります。dimcheck.csv を見てください。
if "%status%"=="2" echo 読めない図面か、調べられないレイヤグループがあります。summary.csv を見てください。
if "%status%"=="3" echo 調べられませんでした。上のメッセージを見てください。
if "%status%"=="4" echo 結果のファイルを書けませんでした。Excel で開いたままにしていませんか。
pause
exit /b %status%
:usage
echo 図面のフォルダをこのファイルの上にドロップしてください。
pause
exit /b 3
