REM 寸法値チェック（寸法値と端点の間の距離を照合し、◎◯△Ｘの印を付けます）
REM #jww
REM #cd
REM #h1
REM #hc 寸法値を調べる範囲を選択してください
REM #e
@echo off
REM ------------------------------------------------------------------
REM dimcheck を JW_CAD の外部変形として使うためのファイルです。
REM dimcheck.exe をこのファイルと同じフォルダに置いてください。
REM
REM 上の REM の行は JW_CAD への指定です。
REM   1 行目  外部変形の一覧に出る説明
REM   #jww    JWW 形式の図面として渡す（寸法値の文字の大きさも渡される）
REM   #cd     受け渡しファイル JWC_TEMP.TXT をこのフォルダに作る
REM   #h1     選択した範囲の中の要素だけを渡す
REM   #hc     範囲を選ぶときに出す案内
REM   #e      指定の終わり
REM
REM 倍率を指定するときは、下の dimcheck.exe の行だけを書き換えて、
REM dimcheck.exe の後に -b と倍率を書き加えます。例えば -b2 とすると、
REM 寸法値の 2 倍を図面上の長さとして照合します。
REM
REM dimcheck.exe は終わるまで待って実行します（start は使いません。
REM 待たずに戻ると、JW_CAD は何も変わっていないファイルを読みます）。
REM 画面はすぐに閉じるので、エラーの内容は dimcheck.log に書かれます。
REM 途中経過の出力（-t）は捨てています。
REM ------------------------------------------------------------------
"%~dp0dimcheck.exe" >nul 2>"%~dp0dimcheck.log"
