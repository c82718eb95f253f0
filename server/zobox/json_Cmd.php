<?php
// Folder commands of the console: scan, delete a file, delete a folder,
// create a folder, rename. Paths are relative to the zobox tree.
require_once __DIR__ . '/../lib/tree.php';

$cmd = $_GET['Cmd_Php'] ?? '';

switch ($cmd) {
case 'SCANDIR':
    $dir = zo_resolve($_GET['PathScanDir'] ?? null);
    if ($dir === null) {
        zo_reply(403, 'path refused');
        break;
    }
    if (!is_dir($dir)) {
        zo_reply(404, 'no such folder');
        break;
    }
    header('Content-Type: application/json');
    // "." and ".." first whatever the other names sort like: clients drop
    // the first two entries.
    $names = array_values(array_diff(scandir($dir), ['.', '..']));
    echo json_encode(array_merge(['.', '..'], $names),
                     JSON_UNESCAPED_SLASHES | JSON_UNESCAPED_UNICODE | JSON_INVALID_UTF8_SUBSTITUTE);
    break;

case 'DELETE_FILE':
    $file = zo_resolve($_GET['PathFile'] ?? null);
    if ($file === null || zo_is_root($file)) {
        zo_reply(403, 'path refused');
    } elseif (!is_file($file)) {
        zo_reply(404, 'no such file');
    } elseif (!unlink($file)) {
        zo_reply(500, 'cannot delete the file');
    } else {
        zo_reply(200, 'OK');
    }
    break;

case 'DELETE_DIR':
    $dir = zo_resolve($_GET['PathDir'] ?? null);
    if ($dir === null || zo_is_root($dir)) {
        zo_reply(403, 'path refused');
    } elseif (!is_dir($dir) || is_link($dir)) {
        zo_reply(404, 'no such folder');
    } elseif (!zo_remove_tree($dir)) {
        zo_reply(500, 'cannot delete the folder');
    } else {
        zo_reply(200, 'OK');
    }
    break;

case 'CREATE_DIR':
    $dir = zo_resolve($_GET['PathDir'] ?? null);
    if ($dir === null) {
        zo_reply(403, 'path refused');
    } elseif (is_dir($dir)) {
        zo_reply(200, 'OK');
    } elseif (!is_dir(dirname($dir))) {
        zo_reply(404, 'no parent folder');
    } elseif (!mkdir($dir)) {
        zo_reply(500, 'cannot create the folder');
    } else {
        zo_reply(200, 'OK');
    }
    break;

case 'RENAME_DIR_FILE':
    $old = zo_resolve($_GET['PathOldName'] ?? null);
    $new = zo_resolve($_GET['PathNewName'] ?? null);
    if ($old === null || $new === null || zo_is_root($old) || zo_is_root($new)) {
        zo_reply(403, 'path refused');
    } elseif (!file_exists($old)) {
        zo_reply(404, 'no such entry');
    } elseif (file_exists($new)) {
        zo_reply(409, 'target exists');
    } elseif (!rename($old, $new)) {
        zo_reply(500, 'cannot rename');
    } else {
        zo_reply(200, 'OK');
    }
    break;

default:
    zo_reply(400, 'unknown command');
}
