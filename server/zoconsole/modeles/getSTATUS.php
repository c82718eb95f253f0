<?php
// Status of the boxes of account `compte`: {"serial":["last seen","screen","update"],...}.
// zo_<compte>/STATUSBOX.json, when present, is sent as it is; otherwise
// every box folder is listed with the time of its STATUS.orvex as last seen,
// its visuals up to date once that report names the folder's poster list.
require_once __DIR__ . '/../../lib/orvex.php';
require_once __DIR__ . '/../../lib/tree.php';

$account = $_GET['compte'] ?? '';
if (!zo_plain_name($account)) {
    zo_reply(400, 'account refused');
    return;
}
$folder = zo_resolve('zo_' . $account);
if ($folder === null || !is_dir($folder)) {
    zo_reply(404, 'no such account');
    return;
}
header('Content-Type: application/json');
if (is_file($folder . '/STATUSBOX.json')) {
    readfile($folder . '/STATUSBOX.json');
    return;
}
// A box writes its last-seen time in its own local time and the console
// reads it so: without a zone PHP would write UTC. The account's boxes stand
// where the console runs, so the zone is the console's (TZ, then the
// system's).
function zo_local_zone()
{
    $candidates = [ltrim((string)getenv('TZ'), ':')];
    $link = @readlink('/etc/localtime');
    if ($link !== false && ($at = strpos($link, 'zoneinfo/')) !== false) {
        $candidates[] = substr($link, $at + 9);
    }
    $candidates[] = @file_get_contents('/etc/timezone');
    foreach ($candidates as $zone) {
        $zone = trim((string)$zone);
        if ($zone !== '' && in_array($zone, timezone_identifiers_list(DateTimeZone::ALL_WITH_BC), true)) {
            return $zone;
        }
    }
    return 'UTC';
}
date_default_timezone_set(zo_local_zone());
$boxes = [];
foreach (scandir($folder) as $entry) {
    if ($entry[0] === '.' || strpos($entry, '.') !== false || !is_dir($folder . '/' . $entry)
        || in_array($entry, ['IMAGE', 'VIDEO', 'TEXT', 'LINKS'], true)) {
        continue;
    }
    $status = $folder . '/' . $entry . '/STATUS.orvex';
    $seen = is_file($status) ? date('Y-m-d | H:i:s', filemtime($status)) : 'null';
    $boxes[$entry] = [$seen, $seen === 'null' ? 'null' : '0', zo_box_update_state($folder . '/' . $entry)];
}
echo json_encode((object)$boxes, JSON_UNESCAPED_SLASHES | JSON_UNESCAPED_UNICODE);
