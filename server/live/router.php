<?php
// Front controller of the live-content stand-ins alone, for the demo:
//   php -S 127.0.0.1:PORT server/live/router.php
// Weather, page likes and a news feed with its pictures (demo/), so that the
// preview shows live content without reaching any outside service. php -S
// logs every request it serves on stderr.
$uri = $_SERVER['REQUEST_URI'];
$cut = strpos($uri, '?');
$rawPath = $cut === false ? $uri : substr($uri, 0, $cut);
$path = '/' . implode('/', array_filter(explode('/', rawurldecode($rawPath)), 'strlen'));

if ($path === '/data/2.5/weather' || $path === '/data/2.5/forecast') {
    include __DIR__ . '/weather.php';
    return true;
}
if (strncmp($path, '/v3.2/', 6) === 0) {
    include __DIR__ . '/graph.php';
    return true;
}
$types = ['xml' => 'application/rss+xml; charset=utf-8', 'png' => 'image/png', 'jpg' => 'image/jpeg'];
if (preg_match('#^/demo/([A-Za-z0-9_-]+)\.(xml|png|jpg)$#', $path, $m) && is_file(__DIR__ . "/demo/$m[1].$m[2]")) {
    header('Content-Type: ' . $types[$m[2]]);
    readfile(__DIR__ . "/demo/$m[1].$m[2]");
    return true;
}
http_response_code(404);
header('Content-Type: text/plain');
echo "not found\n";
return true;
