<?php
// Stand-in for the weather service: /data/2.5/weather (current weather) and
// /data/2.5/forecast (3-hour steps) for any postal code, always the same
// readings. Needs zip and a 32-hex APPID, as the real service does.
require_once __DIR__ . '/../lib/tree.php';

function weather_fail($status, $message)
{
    http_response_code($status);
    header('Content-Type: application/json');
    echo json_encode(['cod' => (string)$status, 'message' => $message]);
}

$key = $_GET['APPID'] ?? '';
$zip = $_GET['zip'] ?? '';
if (!preg_match('/^[0-9a-f]{32}$/', $key)) {
    weather_fail(401, 'Invalid API key.');
    return;
}
if ($zip === '' || strpos($zip, ',') === false) {
    weather_fail(400, 'invalid zip code');
    return;
}
$code = explode(',', $zip)[0];
header('Content-Type: application/json; charset=utf-8');

// 2026-12-10 07:48:00 and 17:02:00 UTC
$sunrise = 1796888880;
$sunset = 1796922120;

if ($path === '/data/2.5/forecast') {
    $cnt = max(1, min(40, (int)($_GET['cnt'] ?? 40)));
    $icons = ['10d', '04d', '03d', '01n', '02d', '09d', '13d', '50d'];
    $list = [];
    for ($i = 0; $i < $cnt; $i++) {
        $list[] = [
            'dt' => 1796893200 + 10800 * $i,
            'main' => ['temp' => 283.15 + $i, 'temp_min' => 280.15 + $i, 'temp_max' => 286.15 + $i,
                       'pressure' => 1013, 'humidity' => 80],
            'weather' => [['id' => 500, 'main' => 'Rain', 'description' => 'légère pluie', 'icon' => $icons[$i % 8]]],
            'wind' => ['speed' => 3.1, 'deg' => 220],
            'dt_txt' => gmdate('Y-m-d H:i:s', 1796893200 + 10800 * $i),
        ];
    }
    echo json_encode(['cod' => '200', 'message' => 0, 'cnt' => $cnt, 'list' => $list,
                      'city' => ['id' => 2992166, 'name' => 'Montpellier', 'country' => 'FR']],
                     JSON_UNESCAPED_UNICODE);
    return;
}

echo json_encode([
    'coord' => ['lon' => 3.88, 'lat' => 43.61],
    'weather' => [['id' => 500, 'main' => 'Rain', 'description' => 'légère pluie', 'icon' => '10d']],
    'base' => 'stations',
    'main' => ['temp' => 284.15, 'pressure' => 1013, 'humidity' => 81, 'temp_min' => 283.15, 'temp_max' => 285.15],
    'visibility' => 10000,
    'wind' => ['speed' => 3, 'deg' => 200],
    'dt' => 1796900000,
    'sys' => ['country' => 'FR', 'sunrise' => $sunrise, 'sunset' => $sunset],
    'name' => 'Montpellier ' . $code,
    'cod' => 200,
], JSON_UNESCAPED_UNICODE);
