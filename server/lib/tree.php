<?php
// Shared by the endpoint scripts: where the folder tree lives and how a
// client path is turned into a path inside it.

// The zobox tree: ZO_STANDIN_ROOT when set, else the zobox folder that holds
// the scripts (the layout of a real host).
function zo_tree_root()
{
    $root = getenv('ZO_STANDIN_ROOT');
    if ($root === false || $root === '') {
        $root = __DIR__ . '/../zobox';
    }
    $real = realpath($root);
    return $real === false ? $root : $real;
}

// A name the tree may hold: not "." or "..", no separators, no control
// characters ("a..b.png" is fine).
function zo_plain_name($name)
{
    if (!is_string($name) || $name === '' || $name === '.' || $name === '..') {
        return false;
    }
    if (strpos($name, '/') !== false || strpos($name, '\\') !== false) {
        return false;
    }
    return preg_match('/[\x00-\x1f\x7f]/', $name) !== 1;
}

// Maps a client path ("zo_acc/IMAGE", "zo_acc//x.png", "") onto the tree.
// Returns null for a ".." segment and for anything that would leave the
// tree, symbolic links included.
function zo_resolve($relative)
{
    if (!is_string($relative) || preg_match('/[\x00-\x1f\x7f]/', $relative) === 1) {
        return null;
    }
    $parts = [];
    foreach (explode('/', $relative) as $part) {
        if ($part === '' || $part === '.') {
            continue;
        }
        // Never resolved, even when it would stay inside the tree.
        if ($part === '..') {
            return null;
        }
        $parts[] = $part;
    }
    $root = zo_tree_root();
    $path = count($parts) ? $root . '/' . implode('/', $parts) : $root;

    // The deepest existing level decides: a link inside the tree must not
    // lead out of it.
    $probe = $path;
    while (!file_exists($probe) && $probe !== $root && strlen($probe) > strlen($root)) {
        $probe = dirname($probe);
    }
    $real = realpath($probe);
    if ($real === false || ($real !== $root && strncmp($real, $root . '/', strlen($root) + 1) !== 0)) {
        return null;
    }
    return $path;
}

function zo_is_root($path)
{
    return rtrim($path, '/') === rtrim(zo_tree_root(), '/');
}

function zo_reply($status, $text)
{
    http_response_code($status);
    header('Content-Type: text/plain; charset=utf-8');
    header('Content-Length: ' . strlen($text));
    echo $text;
}

function zo_remove_tree($dir)
{
    foreach (scandir($dir) as $entry) {
        if ($entry === '.' || $entry === '..') {
            continue;
        }
        $path = $dir . '/' . $entry;
        if (is_dir($path) && !is_link($path)) {
            if (!zo_remove_tree($path)) {
                return false;
            }
        } elseif (!unlink($path)) {
            return false;
        }
    }
    return rmdir($dir);
}
