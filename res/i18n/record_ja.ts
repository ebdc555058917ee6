<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>UsageRecord</name>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 が見つかりませんでした。</translation>
    </message>
    <message>
        <source>%1 contains an invalid path.</source>
        <translation>%1 には無効なパスが含まれています。</translation>
    </message>
    <message>
        <source>%1 could not be opened because there are too many open files.</source>
        <translation>開いているファイルが多すぎるため、%1 を開けませんでした。</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>%1 へのアクセスが拒否されました。</translation>
    </message>
    <message>
        <source>An invalid file handle was associated with %1.</source>
        <translation>%1 に無効なファイル ハンドルが関連付けられていました。</translation>
    </message>
    <message>
        <source>%1 could not be created because the directory is full.</source>
        <translation>ディレクトリがいっぱいのため、%1 を作成できませんでした。</translation>
    </message>
    <message>
        <source>Seek failed on %1</source>
        <translation>%1 でシークに失敗しました</translation>
    </message>
    <message>
        <source>A hardware I/O error was reported while accessing %1.</source>
        <translation>%1 へのアクセス中にハードウェアの入出力エラーが報告されました。</translation>
    </message>
    <message>
        <source>A sharing violation occurred while accessing %1.</source>
        <translation>%1 へのアクセス中に共有違反が発生しました。</translation>
    </message>
    <message>
        <source>A locking violation occurred while accessing %1.</source>
        <translation>%1 へのアクセス中にロック違反が発生しました。</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>%1 へのアクセス中にディスクがいっぱいになりました。</translation>
    </message>
    <message>
        <source>An attempt was made to access %1 past its end.</source>
        <translation>%1 の終わりを越えてアクセスしようとしました。</translation>
    </message>
    <message>
        <source>An unknown error occurred while accessing %1.</source>
        <translation>%1 へのアクセス中に不明なエラーが発生しました。</translation>
    </message>
    <message>
        <source>Please do again to turn on the power of ZT-40</source>
        <translation>ZT-40 の電源を入れ直してください</translation>
    </message>
</context>
</TS>
