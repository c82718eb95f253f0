<?php
// Front controller for `php -S 127.0.0.1:PORT server/router.php`: maps the
// web paths of the console onto the endpoint scripts and the zobox tree,
// logs every request and plays injected faults. A real host needs none of
// this file.
require_once __DIR__ . '/lib/tree.php';
require_once __DIR__ . '/lib/standin.php';

$uri = $_SERVER['REQUEST_URI'];
$cut = strpos($uri, '?');
$rawPath = $cut === false ? $uri : substr($uri, 0, $cut);
$rawQuery = $cut === false ? '' : substr($uri, $cut + 1);
// parse_url() would read "//zobox/..." as a host name: split by hand.
$path = '/' . implode('/', array_filter(explode('/', rawurldecode($rawPath)), 'strlen'));

// Every reply carries its length, as a real host's do: a reply that ends
// at connection close may make Qt send the request a second time.
function standin_with_length(callable $produce)
{
    ob_start();
    $produce();
    $body = ob_get_clean();
    header('Content-Length: ' . strlen($body));
    echo $body;
}

if (strncmp($path, '/_standin/', 10) === 0) {
    standin_with_length(function () use ($path) {
        standin_control(substr($path, 10));
    });
    return true;
}

$entry = [
    'method' => $_SERVER['REQUEST_METHOD'],
    'path' => $rawPath,
    'route' => $path,
    'rawQuery' => $rawQuery,
    'query' => $_GET,
];
if (isset($_FILES['file'])) {
    $entry['upload'] = ['name' => $_FILES['file']['name'], 'size' => $_FILES['file']['size'],
                        'error' => $_FILES['file']['error']];
}

$scripts = [
    '/zobox/json_Cmd.php' => __DIR__ . '/zobox/json_Cmd.php',
    '/zobox/upload.php' => __DIR__ . '/zobox/upload.php',
    '/zobox/mails.php' => __DIR__ . '/zobox/mails.php',
    '/zoconsole/modeles/getSTATUS.php' => __DIR__ . '/zoconsole/modeles/getSTATUS.php',
    // Outside services of the preview's live content (weather, page likes).
    '/data/2.5/weather' => __DIR__ . '/live/weather.php',
    '/data/2.5/forecast' => __DIR__ . '/live/weather.php',
];

function standin_serve_file($path)
{
    if (strncmp($path, '/zobox/', 7) !== 0) {
        zo_reply(404, 'not found');
        return;
    }
    $file = zo_resolve(substr($path, 7));
    if ($file === null) {
        zo_reply(403, 'path refused');
    } elseif (!is_file($file)) {
        zo_reply(404, 'not found');
    } elseif ($_SERVER['REQUEST_METHOD'] !== 'GET' && $_SERVER['REQUEST_METHOD'] !== 'HEAD') {
        zo_reply(405, 'method not allowed');
    } else {
        header('Content-Type: application/octet-stream');
        header('Content-Length: ' . filesize($file));
        if ($_SERVER['REQUEST_METHOD'] === 'GET') {
            readfile($file);
        }
    }
}

// Files are sent as they are read (they may be large) with their own length;
// script replies are buffered to measure them.
function standin_dispatch($path, array $scripts)
{
    if (isset($scripts[$path])) {
        standin_with_length(function () use ($path, $scripts) {
            include $scripts[$path];
        });
    } elseif (strncmp($path, '/v3.2/', 6) === 0) {
        standin_with_length(function () use ($path) {
            include __DIR__ . '/live/graph.php';
        });
    } elseif (strncmp($path, '/demo/', 6) === 0) {
        // The demo's news feed and its pictures.
        standin_with_length(function () use ($path) {
            include __DIR__ . '/live/router.php';
        });
    } else {
        standin_serve_file($path);
    }
}

// An upload's file name follows its folder in the text a fault's `match`
// is looked for in: "zo_a/B1/Slide1.png" names one upload.
$matchText = rawurldecode($path . '?' . str_replace('+', ' ', $rawQuery))
    . (isset($_FILES['file']['name']) ? $_FILES['file']['name'] : '');
$fault = standin_take_fault($path, $matchText);
$kind = $fault['kind'] ?? '';
if ($fault !== null) {
    $entry['fault'] = $kind;
}

if ($fault === null || $kind === 'delay') {
    if ($kind === 'delay') {
        usleep(max(0, $fault['ms']) * 1000);
    }
    standin_dispatch($path, $scripts);
} elseif (ctype_digit($kind)) {
    // The script does not run: nothing changes in the tree.
    zo_reply((int)$kind, 'stand-in fault ' . $kind);
} elseif ($kind === 'body') {
    zo_reply(200, $fault['body']);
} elseif ($kind === 'noanswer') {
    $entry['status'] = 0;
    standin_log($entry);
    // Headers are not sent until the first output: the client sees nothing.
    usleep(($fault['ms'] > 0 ? $fault['ms'] : 120000) * 1000);
    exit;
} elseif ($kind === 'hangup') {
    // The request was read; the connection closes with no status line at all.
    $entry['status'] = 0;
    standin_log($entry);
    if ($fault['ms'] > 0) {
        usleep($fault['ms'] * 1000);
    }
    standin_hangup();
    exit;
} elseif ($kind === 'close') {
    // Announces more than it sends, then drops the connection.
    ob_start();
    standin_dispatch($path, $scripts);
    $body = ob_get_clean();
    $entry['status'] = 0;
    standin_log($entry);
    header('Content-Length: ' . (strlen($body) + 100000));
    echo substr($body, 0, intdiv(strlen($body), 2));
    flush();
    exit;
} elseif ($kind === 'split') {
    ob_start();
    standin_dispatch($path, $scripts);
    $body = ob_get_clean();
    $half = intdiv(strlen($body), 2);
    header('Content-Length: ' . strlen($body));
    echo substr($body, 0, $half);
    flush();
    usleep(($fault['ms'] > 0 ? $fault['ms'] : 300) * 1000);
    echo substr($body, $half);
} elseif ($kind === 'gzip' || $kind === 'half' || $kind === 'long') {
    // What a proxy may make of a file: compressed without saying so, cut
    // in half with a length that matches, or longer than it announces.
    ob_start();
    standin_dispatch($path, $scripts);
    $body = ob_get_clean();
    $half = intdiv(strlen($body), 2);
    if ($kind === 'gzip') {
        $body = gzencode($body);
    } elseif ($kind === 'half') {
        $body = substr($body, 0, $half);
    }
    header('Content-Length: ' . ($kind === 'long' ? $half : strlen($body)));
    echo $body;
} else {
    zo_reply(500, 'unknown fault kind ' . $kind);
}

$entry['status'] = http_response_code();
standin_log($entry);
return true;
