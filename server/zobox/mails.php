<?php
// Support notification. A real host mails emailAdress; the stand-in appends
// the request to ZO_STANDIN_MAILS (one JSON line each) when that is set.
require_once __DIR__ . '/../lib/tree.php';

$mail = [
    'emailAdress' => $_GET['emailAdress'] ?? '',
    'Subjet' => $_GET['Subjet'] ?? '',
    'Msg' => $_GET['Msg'] ?? '',
];
$target = getenv('ZO_STANDIN_MAILS');
if ($target !== false && $target !== '') {
    file_put_contents($target, json_encode($mail, JSON_UNESCAPED_SLASHES | JSON_UNESCAPED_UNICODE) . "\n",
                      FILE_APPEND | LOCK_EX);
}
zo_reply(200, 'OK');
