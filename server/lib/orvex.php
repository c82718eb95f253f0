<?php
// Reading one key of a parameter file (.orvex) as the boxes and the console
// write them: hexadecimal RC4 cipher text, or plain text when the file holds
// the fingerprint key in clear.

function zo_orvex_plain($raw)
{
    if (strpos($raw, 'EMPREINTE') !== false) {
        return $raw;
    }
    $data = @hex2bin(preg_replace('/[^0-9A-Fa-f]/', '', $raw));
    if ($data === false) {
        return '';
    }
    $key = hex2bin('7C41E0B95D');
    $s = range(0, 255);
    for ($i = 0, $j = 0; $i < 256; ++$i) {
        $j = ($j + $s[$i] + ord($key[$i % strlen($key)])) & 0xFF;
        [$s[$i], $s[$j]] = [$s[$j], $s[$i]];
    }
    $out = '';
    for ($n = 0, $i = 0, $j = 0, $len = strlen($data); $n < $len; ++$n) {
        $i = ($i + 1) & 0xFF;
        $j = ($j + $s[$i]) & 0xFF;
        [$s[$i], $s[$j]] = [$s[$j], $s[$i]];
        $out .= chr(ord($data[$n]) ^ $s[($s[$i] + $s[$j]) & 0xFF]);
    }
    return $out;
}

// The value of `key` (a line starting KEY="), or null.
function zo_orvex_value($file, $key)
{
    $raw = @file_get_contents($file);
    if ($raw === false) {
        return null;
    }
    if (!preg_match('/(?:^|\n)' . preg_quote($key, '/') . '="([^"\r\n]*)/', zo_orvex_plain($raw), $m)) {
        return null;
    }
    return $m[1];
}

// As a box reports it: '0' once it runs the poster list of its folder (its
// report carries that list's fingerprint, the first 35 characters compared),
// '1' while it does not.
function zo_box_update_state($boxFolder)
{
    $running = zo_orvex_value($boxFolder . '/STATUS.orvex', 'EMPREINTE');
    $list = zo_orvex_value($boxFolder . '/PLAYER.orvex', 'EMPREINTE');
    $usable = function ($print) {
        return $print !== null && $print !== '' && !in_array($print, ['NULL', 'PB_OPEN', 'FileError'], true);
    };
    return $usable($running) && $usable($list) && substr($running, 0, 35) === substr($list, 0, 35) ? '0' : '1';
}
