<?php
// Stores the multipart part "file" in the folder Upload_Path of the zobox
// tree, under the part's file name.
require_once __DIR__ . '/../lib/tree.php';

$dir = zo_resolve($_GET['Upload_Path'] ?? null);
if ($dir === null) {
    zo_reply(403, 'path refused');
} elseif (!is_dir($dir)) {
    zo_reply(404, 'no such folder');
} elseif (!isset($_FILES['file'])) {
    // Also what a body above post_max_size looks like.
    zo_reply(400, 'no part named file');
} elseif ($_FILES['file']['error'] !== UPLOAD_ERR_OK) {
    zo_reply(500, 'upload error ' . $_FILES['file']['error']);
} elseif (!zo_plain_name($_FILES['file']['name'])) {
    zo_reply(400, 'file name refused');
} elseif (!move_uploaded_file($_FILES['file']['tmp_name'], $dir . '/' . $_FILES['file']['name'])) {
    zo_reply(500, 'cannot store the file');
} else {
    zo_reply(200, 'OK');
}
